#include "resultfixture.h"
#include "testregistry.h"

#include "app/snippetpages.h"
#include "core/profilefile.h"
#include "connection/servers/serverlist.h"

#include <QRandomGenerator>
#include <QTabWidget>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::ResultFixture;
using quoll::testing::ScriptedDialogs;

namespace {

// Files no program of ours wrote: bytes of every value, a line of ten
// megabytes, ten thousand sections. The same bytes every run.
QByteArray randomBytes(qsizetype size)
{
    QRandomGenerator generator(20261208);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

QByteArray hugeLine()
{
    return "[Position]\r\nLeft=" + QByteArray(10 * 1024 * 1024, '7') + "\r\n[Main]\r\nx=" + QByteArray(1000, 'y');
}

QByteArray manySections()
{
    QByteArray bytes;
    for (int i = 0; i < 10000; ++i)
        bytes += "[Section" + QByteArray::number(i) + "]\r\nkey=select " + QByteArray::number(i) + " from t\r\n";
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

// Files of any content, from any source, never crash the program: each
// gives defaults or a clear message, and the window stays usable.
class TstHostileFiles : public QObject
{
    Q_OBJECT

    static void addHostileFiles()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("random bytes") << randomBytes(256 * 1024);
        QTest::newRow("a line of 10 MB") << hugeLine();
        QTest::newRow("10,000 sections") << manySections();
    }

private slots:
    // The settings file: the window starts with what it can use, runs,
    // and writes a good file at close.
    void hostileSettingsFile_data() { addHostileFiles(); }
    void hostileSettingsFile()
    {
        QFETCH(QByteArray, bytes);
        testing::ClientEnvironment environment{QString()};
        QTemporaryDir folder;
        ScriptedDialogs dialogs;
        app::ErrorHandler errors{dialogs};
        const AppPaths paths(folder.path(), u"quoll"_s);
        writeFile(paths.settingsFile(), bytes);
        {
            app::QuollMain window(paths, dialogs, errors);
            // An absurd position is not taken: the window is on a screen.
            QVERIFY(window.x() < 100000 && window.width() < 100000);
            QVERIFY(window.close());
        }
        // The file written at close reads back, and the next start is normal.
        const ProfileFile written = ProfileFile::load(paths.settingsFile());
        QVERIFY(written.sections().contains(u"Position"_s, Qt::CaseInsensitive));
        app::QuollMain again(paths, dialogs, errors);
        QVERIFY(again.close());
        // No message but the one of each start about the missing menu file.
        QCOMPARE(dialogs.messages().size(), 2);
        for (const auto &m : dialogs.messages())
            QCOMPARE(m.title, u"Buttons File"_s);
    }

    // The menu file of snippet buttons.
    void hostileMenuFile_data() { addHostileFiles(); }
    void hostileMenuFile()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        ScriptedDialogs dialogs;
        QTabWidget tabs;
        const QString path = folder.filePath(u"quoll.mnu"_s);
        writeFile(path, bytes);
        QStringList inserted;
        app::LoadButtonPages(tabs, path, dialogs, [&](const QString &text) { inserted.append(text); });
        QVERIFY(tabs.count() <= app::MaxButtonPages);
        if (bytes.startsWith("[Section0]")) {
            // Past the pages a tab bar can take quickly: said, not hung on.
            QCOMPARE(tabs.count(), app::MaxButtonPages);
            QCOMPARE(dialogs.messages().size(), 1);
            QVERIFY(dialogs.messages().first().text.contains(u"has 10000 pages; the first 256 are shown"_s));
        } else {
            QVERIFY(dialogs.messages().isEmpty());
        }
    }

    // An sqlhosts file of binary junk: no server from it, the list still
    // offers what it can.
    void junkSqlhosts()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"sqlhosts"_s);
        writeFile(path, randomBytes(64 * 1024) + "\nreal_srv onsoctcp host 9088\n" + randomBytes(1024));
        testing::ClientEnvironment environment{path};
        ScriptedDialogs dialogs;
        app::ErrorHandler errors{dialogs};
        app::QuollMain window(AppPaths(folder.path(), u"quoll"_s), dialogs, errors);
        auto *servers = window.findChild<QComboBox *>(u"cbServerName"_s);
        QVERIFY(servers);
        QVERIFY(servers->findText(u"real_srv"_s) >= 0);
        QVERIFY(window.close());
    }

    // An SQL file with bytes that are no UTF-8, NUL bytes and one line of
    // 10 MB opens whole in an editor page, and saves back to the same bytes.
    void oddSqlFileOpensWhole()
    {
        ResultFixture f;
        QVERIFY(f.ready());
        const QString path = f.folder.filePath(u"odd.sql"_s);
        const QByteArray line = "select '" + QByteArray(10 * 1024 * 1024, 'q') + "' from t;";
        const QByteArray bytes = "-- \xFF\xFE\xC0 not UTF-8\r\nselect 1 from t;\r\n" + line;
        writeFile(path, bytes);
        f.dialogs.answerOpenFile(path);
        f.trigger("acOpenFile");
        const QString text = f.window->currentEditor()->toPlainText();
        QVERIFY(text.size() > 10 * 1024 * 1024);
        QVERIFY(text.endsWith(u"' from t;"_s));
        // The 10 MB statement runs and shows its value.
        f.window->currentEditor()->setPlainText(QString::fromLatin1(line));
        f.trigger("acExecute");
        QVERIFY(f.dialogs.messages().isEmpty());
        QCOMPARE(f.result().text(0, 0).size(), 10 * 1024 * 1024);
    }
};

QUOLL_TEST(TstHostileFiles);
#include "tst_hostilefiles.moc"
