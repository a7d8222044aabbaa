#include "embeddedfixture.h"
#include "testregistry.h"

#include "catalog/browserqueries.h"
#include "catalog/catalogpane.h"
#include "catalog/procbrowser.h"
#include "catalog/proclistmodel.h"
#include "connection/engine/engineerror.h"
#include "editor/sqledit.h"
#include "widgets/reportlist.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::EmbeddedFixture;

// The routine page over a real embedded server: the list through its
// filter, the script of the selected routine, the clear.
class TstProcBrowser : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        EmbeddedFixture server;
        catalog::CatalogPane pane;
        catalog::BrowserQueries queries{server.database};
        catalog::ProcInfoList procInfos;
        QString majorVersion = u"9"_s;
        QStringList errors;
        QStringList inserted;
        std::unique_ptr<catalog::ProcBrowser> browser;

        Fixture()
        {
            pane.procModel()->setRecords(&procInfos);
            browser = std::make_unique<catalog::ProcBrowser>(catalog::ProcBrowser::Parts{
                pane, server.database, queries, procInfos, [this] { return majorVersion; },
                [this](const std::function<void()> &handler) {
                    try {
                        handler();
                        return true;
                    } catch (const connection::EngineError &e) {
                        errors.append(e.message());
                        return false;
                    }
                },
                [this](const QString &text) { inserted.append(text); }});
            server.useNewDatabase(u"shop"_s);
            server.run(u"create table t (a integer)"_s);
            server.run(u"create procedure touch (x integer)\n    update t set a = x;\nend procedure\n"
                       "document 'Sets every a.'"_s);
            server.run(u"create function twice (x integer) returning integer\n    return x * 2;\nend function"_s);
            server.run(u"create procedure tidy ()\n    delete from t;\nend procedure"_s);
        }
        ~Fixture() { queries.unprepareAll(); }

        void search(const QString &filter)
        {
            pane.procWild()->setEditText(filter);
            QTest::keyClick(pane.procWild(), Qt::Key_Return);
        }
        QStringList names() const
        {
            QStringList out;
            for (const catalog::ProcInfo &info : procInfos)
                out.append(info.name);
            return out;
        }
        QString script(const QString &name)
        {
            pane.procs()->selectRow(int(names().indexOf(name)));
            return pane.procText()->text();
        }
    };

private slots:
    void theFilterListsRoutinesByName()
    {
        Fixture f;
        QAbstractItemModelTester tester(f.pane.procModel());
        f.search(u"t*"_s);
        QCOMPARE(f.errors, QStringList());
        QCOMPARE(f.names(), (QStringList{u"tidy"_s, u"touch"_s, u"twice"_s}));
        QCOMPARE(f.pane.procs()->model()->index(1, 1).data().toString(), u"tester"_s);
        QCOMPARE(f.pane.procs()->model()->index(1, 2).data().toString(), QString::number(f.procInfos[1].procid));
        QCOMPARE(f.pane.procWild()->itemText(0), u"t*"_s);
        // The find button, and an empty filter: every routine.
        f.pane.procWild()->setEditText(QString());
        f.pane.findProc()->click();
        QCOMPARE(f.names().size(), 3);
    }

    void scriptsDropAndCreateTheRoutine_data()
    {
        QTest::addColumn<QString>("majorVersion");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("script");
        QTest::newRow("procedure with a document")
            << u"9"_s << u"touch"_s
            << u"drop procedure touch;\r\n\r\ncreate procedure touch (x integer)\r\n    update t set a = x;\r\n"
               "end procedureSets every a.\r\n"_s;
        QTest::newRow("function on version 9")
            << u"9"_s << u"twice"_s
            << u"drop function twice;\r\n\r\ncreate function twice (x integer) returning integer\r\n"
               "    return x * 2;\r\nend function\r\n"_s;
        QTest::newRow("every routine a procedure on version 10")
            << u"10"_s << u"twice"_s
            << u"drop procedure twice;\r\n\r\ncreate function twice (x integer) returning integer\r\n"
               "    return x * 2;\r\nend function\r\n"_s;
        QTest::newRow("and on version 7") << u"7"_s << u"tidy"_s
                                          << u"drop procedure tidy;\r\n\r\ncreate procedure tidy ()\r\n"
                                             "    delete from t;\r\nend procedure\r\n"_s;
    }
    void scriptsDropAndCreateTheRoutine()
    {
        QFETCH(QString, majorVersion);
        QFETCH(QString, name);
        QFETCH(QString, script);
        Fixture f;
        f.majorVersion = majorVersion;
        f.search(QString());
        QCOMPARE(f.script(name), script);
    }

    void typingFindsARoutineAndClearingEmptiesThePane()
    {
        Fixture f;
        f.search(QString());
        f.pane.procs()->keyboardSearch(u"TW"_s);
        QCOMPARE(f.pane.procs()->currentIndex().row(), 2);
        QVERIFY(f.pane.procText()->text().startsWith(u"drop function twice;"_s));
        f.browser->ClearProcList();
        QCOMPARE(f.pane.procs()->model()->rowCount(), 0);
        QCOMPARE(f.pane.procText()->text(), QString());
    }

    void doubleClickInsertsTheName()
    {
        Fixture f;
        f.search(u"touch"_s);
        f.pane.procs()->selectRow(0);
        emit f.pane.procs()->doubleClicked(f.pane.procs()->model()->index(0, 0));
        QCOMPARE(f.inserted, QStringList{u" touch"_s});
    }

    // A failing text query leaves the pane as it was; a failing list query
    // leaves the list empty.
    void failuresKeepWhatIsShown()
    {
        Fixture f;
        f.search(QString());
        const QString touch = f.script(u"touch"_s);
        f.queries.unprepareAll();
        f.server.run(u"drop table sysprocbody"_s);
        f.script(u"tidy"_s);
        QCOMPARE(f.errors.size(), 1);
        QCOMPARE(f.pane.procText()->text(), touch);
        f.search(u"a\"b"_s);
        QCOMPARE(f.errors.size(), 2);
        QCOMPARE(f.pane.procs()->model()->rowCount(), 0);
    }
};

QUOLL_TEST(TstProcBrowser);
#include "tst_procbrowser.moc"
