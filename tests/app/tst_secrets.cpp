#include "resultfixture.h"
#include "testregistry.h"

#include <QDesktopServices>
#include <QDirIterator>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::PrivateTemp;
using quoll::testing::ResultFixture;

namespace {

// The files the program hands to the desktop are taken, not opened.
class DesktopCatcher : public QObject
{
    Q_OBJECT

public:
    DesktopCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~DesktopCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

public slots:
    void open(const QUrl &) {}
};

// Every file under `folder` whose bytes hold the password in any of the
// encodings the program writes.
QStringList filesHolding(const QString &folder, const QString &password)
{
    const QList<QByteArray> forms{password.toUtf8(), QByteArray(reinterpret_cast<const char *>(password.utf16()),
                                                                password.size() * 2)};
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        for (const QByteArray &form : forms)
            if (bytes.contains(form))
                found.append(path);
    }
    return found;
}

} // namespace

// A password typed at login is never written to any file.
class TstSecrets : public QObject
{
    Q_OBJECT

private slots:
    void thePasswordIsInNoFileTheProgramWrote()
    {
        const QString password = u"Pw-Quoll-7f3Qx"_s;
        PrivateTemp temp;
        DesktopCatcher desktop;
        {
            ResultFixture f;
            f.loginPassword = password;
            QVERIFY(f.ready());
            // Statements, an export of each kind, text in the pages.
            f.run(u"select id, name from t order by id"_s);
            f.dialogs.answerSaveFile(f.folder.filePath(u"rows.xls"_s));
            f.trigger("acExportToXLSFile");
            f.trigger("acExportToHtml");
            f.trigger("acExportToExcel");
            f.window->currentEditor()->setPlainText(u"select * from big -- kept in the page"_s);
            // Connect again: the login dialog remembers what was typed.
            f.probe().topBar()->connectButton()->click();
            QVERIFY(!f.window->database().isConnected());
            QVERIFY(f.connect());
            QVERIFY(f.window->close());
            const QStringList holding = filesHolding(f.folder.path(), password)
                                        + filesHolding(temp.area.path(), password);
            QVERIFY2(holding.isEmpty(), qPrintable(holding.join(u'\n')));
            // The scan finds a password where there is one.
            const QString planted = f.folder.filePath(u"planted/deep/x.bin"_s);
            QVERIFY(QDir().mkpath(QFileInfo(planted).path()));
            QFile plant(planted);
            QVERIFY(plant.open(QIODevice::WriteOnly));
            plant.write("...." + password.toUtf8() + "....");
            plant.close();
            QCOMPARE(filesHolding(f.folder.path(), password), QStringList{planted});
            // The files were written: the check looked at something.
            QVERIFY(QFile::exists(f.folder.filePath(u"rows.xls"_s)));
            QVERIFY(QFile::exists(f.probe().paths().settingsFile()));
        }
    }
};

QUOLL_TEST(TstSecrets);
#include "tst_secrets.moc"
