#include "testregistry.h"

#include "core/atomicfile.h"
#include "core/error.h"
#include "workspace/pagetext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::workspace;
using LineEnd = PageTextFormat::LineEnd;

Q_DECLARE_METATYPE(quoll::workspace::PageTextFormat::LineEnd)

// An editor page's text in its file and back.
class TstPageText : public QObject
{
    Q_OBJECT

private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<LineEnd>("lineEnd");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << u"a\nb"_s << LineEnd::CrLf;
        QTest::newRow("LF") << QByteArray("a\nb\n") << u"a\nb"_s << LineEnd::Lf;
        QTest::newRow("last line without an end") << QByteArray("a\r\nb") << u"a\nb"_s << LineEnd::CrLf;
        QTest::newRow("one CR LF makes the style") << QByteArray("a\nb\r\nc") << u"a\nb\nc"_s << LineEnd::CrLf;
        QTest::newRow("an empty last line") << QByteArray("a\n\n") << u"a\n"_s << LineEnd::Lf;
        QTest::newRow("Windows-1251") << QByteArray("\xe2\xfb\xe1\xee\xf0\r\n") << u"выбор"_s << LineEnd::CrLf;
        QTest::newRow("UTF-8") << QByteArray("\xce\xbb\n") << u"λ"_s << LineEnd::Lf;
        QTest::newRow("empty file") << QByteArray() << QString() << LineEnd::Lf;
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(LineEnd, lineEnd);
        const PageText page = decodePageText(bytes);
        QCOMPARE(page.text, text);
        QCOMPARE(page.format.lineEnd, lineEnd);
        // Written back the way it was read (the final line end added).
        const QByteArray again = encodePageText(page.text, page.format);
        QCOMPARE(decodePageText(again).text, text);
        if (bytes.endsWith('\n'))
            QCOMPARE(again, bytes);
    }

    void encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LineEnd>("lineEnd");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("every line ends") << u"a\nb"_s << LineEnd::CrLf << QByteArray("a\r\nb\r\n");
        QTest::newRow("LF kept") << u"a\nb"_s << LineEnd::Lf << QByteArray("a\nb\n");
        QTest::newRow("empty page, empty file") << QString() << LineEnd::CrLf << QByteArray();
        QTest::newRow("Cyrillic in Windows-1251") << u"где"_s << LineEnd::CrLf << QByteArray("\xe3\xe4\xe5\r\n");
        QTest::newRow("beyond Windows-1251 in UTF-8")
            << u"где λ"_s << LineEnd::CrLf << QByteArray("\xd0\xb3\xd0\xb4\xd0\xb5 \xce\xbb\r\n");
    }
    void encode()
    {
        QFETCH(QString, text);
        QFETCH(LineEnd, lineEnd);
        QFETCH(QByteArray, bytes);
        PageTextFormat format;
        format.lineEnd = lineEnd;
        QCOMPARE(encodePageText(text, format), bytes);
    }

    void aFileReadAsWindows1251KeepsNewCharacters()
    {
        PageText page = decodePageText("\xe3\xe4\xe5\r\n");
        QCOMPARE(page.format.encoding, TextEncoding::Windows1251);
        const QByteArray bytes = encodePageText(page.text + u" ☃"_s, page.format);
        QCOMPARE(decodePageText(bytes).text, u"где ☃"_s);
    }

    void atomicWriteReplacesOrLeavesTheOldFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"page.sql"_s);
        writeFileAtomically(path, "first");
        writeFileAtomically(path, "second");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("second"));

        // A target that cannot be replaced: an error naming it, nothing left
        // behind beside it.
        const QString blocked = folder.filePath(u"blocked"_s);
        QVERIFY(QDir(folder.path()).mkdir(u"blocked"_s));
        QVERIFY(QFile::exists(blocked));
        QString message;
        try {
            writeFileAtomically(blocked, "x");
        } catch (const Error &e) {
            message = e.message();
        }
        QCOMPARE(message, u"Cannot create file "_s + blocked);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{u"page.sql"_s});
    }
};

QUOLL_TEST(TstPageText);
#include "tst_pagetext.moc"
