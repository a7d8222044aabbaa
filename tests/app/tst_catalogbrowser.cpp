#include "sessionfixture.h"
#include "testregistry.h"

#include "catalog/catalogpane.h"
#include "catalog/tablebrowser.h"
#include "connection/engine/tabledataset.h"
#include "app/commandtable.h"
#include "app/tabledatacontrol.h"
#include "editor/sqledit.h"
#include "results/valueviewer.h"
#include "widgets/reportlist.h"
#include "widgets/statusbar.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QUrl>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// Takes the files the program hands to the desktop, so that no test starts
// a browser or a spreadsheet program.
class FileCatcher : public QObject
{
    Q_OBJECT

public:
    FileCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~FileCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace
using namespace quoll;
using quoll::testing::SessionFixture;

// The catalog browser inside the main window, as a user reaches it.
class TstCatalogBrowser : public QObject
{
    Q_OBJECT

    // A connected window in database "shop" with a table, its view and a
    // routine.
    static bool ready(SessionFixture &f)
    {
        f.createDatabases({u"shop"_s});
        if (!f.connect())
            return false;
        f.pickDatabase(u"shop"_s);
        f.window->database().execute(u"create table item (id integer primary key, name char(20))"_s);
        f.window->database().execute(u"insert into item values (7, 'bolt')"_s);
        f.window->database().execute(u"create view item_names (name) as select name from item"_s);
        f.window->database().execute(u"create procedure clear_items () delete from item; end procedure"_s);
        return f.dialogs.messages().isEmpty();
    }

    static void popup(SessionFixture &f, const QString &list)
    {
        QWidget *widget = f.find(list);
        emit widget->customContextMenuRequested(QPoint(5, 5));
        f.find<QMenu>(u"pmLW"_s)->hide();
    }

private slots:
    void theListsFollowTheConnection()
    {
        SessionFixture f;
        QVERIFY(!f.find<QComboBox>(u"cbTableWild"_s)->isEnabled());
        QVERIFY(ready(f));
        QVERIFY(f.find<QComboBox>(u"cbTableWild"_s)->isEnabled());
        f.find<QToolButton>(u"tbFindTable"_s)->click();
        f.find<QToolButton>(u"tbFindProc"_s)->click();
        auto *tables = f.find<widgets::ReportList>(u"lvTables"_s);
        QVERIFY(tables->model()->rowCount() > 10);
        QCOMPARE(f.find<widgets::ReportList>(u"lvProc"_s)->model()->rowCount(), 1);
        const auto view = std::find_if(f.probe().tableInfos()->begin(), f.probe().tableInfos()->end(),
                                       [](const catalog::TableInfo &t) { return t.name == u"item_names"_s; });
        tables->selectRow(int(view - f.probe().tableInfos()->begin()));
        QCOMPARE(f.probe().columnNames()->size(), 1);
        // Leaving the database empties every list bound to it.
        f.probe().topBar()->connectButton()->click();
        for (widgets::ReportList *list : f.window->findChildren<widgets::ReportList *>())
            if (list->objectName() != u"lwLog"_s)
                QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(f.find<editor::SqlEdit>(u"mmProcText"_s)->text(), QString());
        QVERIFY(!f.find<QComboBox>(u"cbTableWild"_s)->isEnabled());
    }

    void viewTextGoesToTheViewerAndTheDataPageOpensTheTable()
    {
        SessionFixture f;
        QVERIFY(ready(f));
        f.find<QComboBox>(u"cbTableWild"_s)->setEditText(u"item*"_s);
        f.find<QToolButton>(u"tbFindTable"_s)->click();
        auto *tables = f.find<widgets::ReportList>(u"lvTables"_s);
        QCOMPARE(tables->model()->rowCount(), 2);
        tables->selectRow(1);
        popup(f, u"lvTables"_s);
        QAction *viewText = f.find<QMenu>(u"pmLW"_s)->findChild<QAction *>(u"miShowView"_s);
        QVERIFY(viewText->isEnabled());
        viewText->trigger();
        QVERIFY(f.probe().viewer()->isVisible());
        QCOMPARE(f.probe().viewer()->findChild<QPlainTextEdit *>(u"mmTextView"_s)->toPlainText(),
                 u"create view item_names (name) as select name from item"_s);

        tables->selectRow(0);
        f.window->actions()["acDataBar"]->trigger();
        QCOMPARE(f.probe().tableData().tableName(), u"item"_s);
    }

    // The printed list goes to the desktop's program for pages.
    void printingHandsThePageToTheDesktop()
    {
        QTemporaryDir area;
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(area.path()));
        FileCatcher desktop;
        SessionFixture f;
        QVERIFY(ready(f));
        f.find<QToolButton>(u"tbFindTable"_s)->click();
        popup(f, u"lvTables"_s);
        f.find<QMenu>(u"pmLW"_s)->findChild<QAction *>(u"N1"_s)->trigger();
        const QString path = area.filePath(u"quoll-%1/Report.html"_s.arg(geteuid()));
        QVERIFY(QFile::exists(path));
        QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
        QCOMPARE(f.probe().statusPanels()->panelText(3), QString());
        qputenv("TMPDIR", oldTemp);
    }
};

QUOLL_TEST(TstCatalogBrowser);
#include "tst_catalogbrowser.moc"
