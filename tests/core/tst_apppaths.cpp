#include "core/apppaths.h"

#include "testregistry.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::AppPaths;

class TstAppPaths : public QObject
{
    Q_OBJECT

private slots:
    void filesLiveInTheChosenFolder()
    {
        const AppPaths paths(u"/opt/bin/../quoll/"_s, u"quoll"_s);
        QCOMPARE(paths.folder(), u"/opt/quoll"_s);
        QCOMPARE(paths.settingsFile(), u"/opt/quoll/quoll.ini"_s);
        QCOMPARE(paths.menuFile(), u"/opt/quoll/quoll.mnu"_s);
        QCOMPARE(paths.serversFolder(), u"/opt/quoll/servers"_s);
    }

    void autosaveFileOfEachPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("fileName");
        for (int page = 1; page <= 5; ++page)
            QTest::addRow("page %d", page) << page << u"sql%1____.$$$"_s.arg(page);
    }

    void autosaveFileOfEachPage()
    {
        QFETCH(int, page);
        QFETCH(QString, fileName);
        const AppPaths paths(u"/data/work"_s, u"quoll"_s);
        QCOMPARE(paths.autosaveFile(page), u"/data/work/"_s + fileName);
    }

    void autosaveFileOutsideTheFivePagesIsRefused()
    {
        const AppPaths paths(u"/data/work"_s, u"quoll"_s);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, paths.autosaveFile(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, paths.autosaveFile(6));
    }

    void keepsWritableExecutableFolder()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString exeFolder = root.path();
        const QString userFolder = root.filePath(u"user/config"_s);

        QCOMPARE(AppPaths::chooseFolder(exeFolder, userFolder), exeFolder);
        // Deciding leaves no probe file behind and creates no user folder.
        QVERIFY(QDir(exeFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    }

    void fallsBackToUserFolderAndCreatesIt_data()
    {
        // Tests run as root: permission bits cannot make a folder unwritable.
        QTest::addColumn<QString>("exeFolder");
        QTest::newRow("missing folder") << u"/nonexistent-quoll-folder/bin"_s;
        QTest::newRow("proc file system") << u"/proc"_s;
    }

    void fallsBackToUserFolderAndCreatesIt()
    {
        QFETCH(QString, exeFolder);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString userFolder = root.filePath(u"home/.config/quoll"_s);
        QCOMPARE(AppPaths::chooseFolder(exeFolder, userFolder), userFolder);
        QVERIFY(QFileInfo(userFolder).isDir());
    }
};

QUOLL_TEST(TstAppPaths);

#include "tst_apppaths.moc"
