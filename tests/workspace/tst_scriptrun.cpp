#include "embeddedfixture.h"
#include "testregistry.h"

#include "workspace/scriptrun.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::EmbeddedFixture;

namespace {

// Keeps what the runner reports, and stops after `stopAfter` statements.
struct Recorder : workspace::ScriptObserver
{
    QStringList events;
    int stopAfter = 1000;

    void beforeStatement() override { events.append(u"before"_s); }
    bool afterStatement(workspace::StatementOutcome &o) override
    {
        events.append(u"%1 @%2 %3 %4 rows=%5 [%6]"_s.arg(o.number)
                          .arg(o.start)
                          .arg(o.failed ? u"failed"_s : u"ok"_s, o.logMessage.section(u' ', 0, 1))
                          .arg(o.cursor ? u"yes"_s : u"no"_s, o.failed ? QString::number(o.errorOffset) : QString()));
        return --stopAfter > 0;
    }
};

} // namespace

// The one statement loop: what it sends and what it reports, for the window
// and the command-line tool alike.
class TstScriptRun : public QObject
{
    Q_OBJECT

private slots:
    void reportsEveryStatementAndStopsAtTheFirstFailure()
    {
        EmbeddedFixture f;
        f.useNewDatabase(u"run"_s);
        Recorder recorder;
        const bool ok = workspace::ScriptRunner(*f.engine).run(
            u"create table t (a integer);\r\nselect a from t; select nosuch from t; insert into t values (1)"_s, 10,
            recorder);
        QVERIFY(!ok);
        QCOMPARE(recorder.events, (QStringList{u"before"_s, u"1 @11 ok SQL - rows=no []"_s, u"before"_s,
                                               u"2 @38 ok SQL - rows=yes []"_s, u"before"_s,
                                               u"3 @56 failed Query.Error [-217] rows=no [9]"_s}));
        // The third statement failed: the insert never ran.
        QCOMPARE(f.rows(u"select count(*) from t"_s), QStringList{u"0"_s});
    }

    void theObserverCanStopTheRun()
    {
        EmbeddedFixture f;
        Recorder recorder;
        recorder.stopAfter = 1;
        QVERIFY(!workspace::ScriptRunner(*f.engine).run(u"select 1 from systables; select 2 from systables"_s, 0,
                                                         recorder));
        QCOMPARE(recorder.events.size(), 2);
    }

    void oneStatementTellsItsStatusTexts()
    {
        EmbeddedFixture f;
        workspace::StatementOutcome o = workspace::ScriptRunner(*f.engine).runStatement(u"select * from nosuch"_s, 5, 3);
        QVERIFY(o.failed);
        QCOMPARE(o.number, 3);
        QCOMPARE(o.nativeCode, -206);
        QVERIFY(o.statusLine.startsWith(u"-206 "_s));
        QVERIFY(o.statusLine.endsWith(o.context));
        QCOMPARE(o.logMessage, u"Query.Error [-206]"_s);
        QCOMPARE(o.errorOffset, 15);
        QVERIFY(o.estimates.contains(u':'));
    }
};

QUOLL_TEST(TstScriptRun);
#include "tst_scriptrun.moc"
