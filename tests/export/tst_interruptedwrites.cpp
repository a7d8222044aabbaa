#include "testregistry.h"

#include "core/atomicfile.h"
#include "core/error.h"
#include "core/profilefile.h"
#include "export/textoutput.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kWriter = QStringLiteral(INTERRUPTED_WRITER);

// Whether `bytes` are one whole generation of the child's file.
bool isWholeGeneration(const QByteArray &bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 3 || !lines.front().startsWith("QUOLL ") || !lines.back().isEmpty())
        return false;
    const QList<QByteArray> head = lines.front().split(' ');
    if (head.size() != 3)
        return false;
    const QByteArray generation = head[1];
    const int count = head[2].toInt();
    if (lines.size() != count + 3 || lines[lines.size() - 2] != "END " + generation)
        return false;
    for (int i = 0; i < count; ++i)
        if (!lines[i + 1].startsWith(generation + ':' + QByteArray::number(i) + ' '))
            return false;
    return true;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `body` with files limited to `bytes`, as on a full disk: a write
// past the limit fails (EFBIG) instead of stopping the process.
template<typename Body>
void withFileSizeLimit(rlim_t bytes, Body body)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
    try {
        body();
    } catch (...) {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);
        throw;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
}

} // namespace

// Every file the program writes is either the previous one or the new one,
// whole: whatever stops the writing (a full disk, a folder in the way, a
// process killed halfway), and the user gets a message for a failure.
class TstInterruptedWrites : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesAWholeFile_data();
    void killedWriterLeavesAWholeFile();
    void fullDiskKeepsThePreviousFile();
    void aFolderInTheWayIsAClearFailure();
};

void TstInterruptedWrites::killedWriterLeavesAWholeFile_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("whole files (settings, pages, menus, reports)") << u"atomic"_s;
    QTest::newRow("exports written value by value") << u"export"_s;
}

void TstInterruptedWrites::killedWriterLeavesAWholeFile()
{
    QFETCH(QString, mode);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"target.txt"_s);
    // Killed at a spread of moments: before the first file is whole, while
    // later ones are being written, between them.
    int wholeSeen = 0;
    for (int round = 0; round < 12; ++round) {
        QProcess child;
        child.start(kWriter, {mode, path});
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        // Wait for a few generations in later rounds, then a little more.
        const int generations = round % 4;
        for (int g = 0; g < generations; ++g)
            if (!child.waitForReadyRead(5000))
                break;
        QTest::qWait(3 + round * 7 % 40);
        child.kill();
        QVERIFY(child.waitForFinished(5000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        if (QFile::exists(path)) {
            QVERIFY2(isWholeGeneration(contents(path)), qPrintable(u"round %1: a part of a file"_s.arg(round)));
            ++wholeSeen;
        }
    }
    QVERIFY(wholeSeen > 0);   // some rounds let a generation finish
}

void TstInterruptedWrites::fullDiskKeepsThePreviousFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"settings.ini"_s);
    const QByteArray previous = "[Main]\r\nLeft=10\r\n";
    quoll::writeFileAtomically(path, previous);
    const QByteArray big(1 << 20, 'x');

    // A whole file.
    QString message;
    withFileSizeLimit(64 * 1024, [&] {
        try {
            quoll::writeFileAtomically(path, big);
        } catch (const quoll::Error &e) {
            message = e.message();
        }
    });
    QCOMPARE(message, u"Cannot create file %1"_s.arg(path));
    QCOMPARE(contents(path), previous);

    // The settings file.
    quoll::ProfileFile settings = quoll::ProfileFile::fromBytes(previous);
    settings.setValue(u"Main"_s, u"Huge"_s, QString(2000, u'y'));
    for (int i = 0; i < 200; ++i)
        settings.setValue(u"Fill"_s, u"K%1"_s.arg(i), QString(1000, u'z'));
    message.clear();
    withFileSizeLimit(16 * 1024, [&] {
        try {
            settings.save(path);
        } catch (const quoll::Error &e) {
            message = e.message();
        }
    });
    QVERIFY(!message.isEmpty());
    QCOMPARE(contents(path), previous);

    // An export, written in pieces.
    const QString exportPath = folder.filePath(u"rows.txt"_s);
    quoll::writeFileAtomically(exportPath, previous);
    message.clear();
    withFileSizeLimit(64 * 1024, [&] {
        try {
            quoll::exporting::TextOutput out(exportPath);
            for (int i = 0; i < 10000; ++i)
                out.text("a row of the export that does not fit\r\n");
            out.commit();
        } catch (const quoll::Error &e) {
            message = e.message();
        }
    });
    QVERIFY(!message.isEmpty());
    QCOMPARE(contents(exportPath), previous);
    // Nothing half-written is left beside the files.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TstInterruptedWrites::aFolderInTheWayIsAClearFailure()
{
    QTemporaryDir folder;
    // The file's place is taken by a folder.
    const QString taken = folder.filePath(u"taken"_s);
    QVERIFY(QDir().mkpath(taken + u"/inside"_s));
    QVERIFY_THROWS_EXCEPTION(quoll::Error, quoll::writeFileAtomically(taken, "new"));
    QVERIFY(QFileInfo(taken + u"/inside"_s).isDir());
    QVERIFY_THROWS_EXCEPTION(quoll::Error, quoll::exporting::TextOutput(taken).commit());
    QVERIFY(QFileInfo(taken + u"/inside"_s).isDir());
    // The file's folder is a file: nothing can be written there.
    const QString notAFolder = folder.filePath(u"plain"_s);
    quoll::writeFileAtomically(notAFolder, "plain");
    QVERIFY_THROWS_EXCEPTION(quoll::Error, quoll::writeFileAtomically(notAFolder + u"/settings.ini"_s, "x"));
    QVERIFY_THROWS_EXCEPTION(quoll::Error,
                             quoll::ProfileFile::fromBytes("[a]\r\nb=1\r\n").save(notAFolder + u"/s.ini"_s));
    QCOMPARE(contents(notAFolder), QByteArray("plain"));
}

QUOLL_TEST(TstInterruptedWrites);
#include "tst_interruptedwrites.moc"
