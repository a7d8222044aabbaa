#include "sessionfixture.h"
#include "testregistry.h"

#include "app/connectioncontrol.h"
#include "catalog/browserqueries.h"
#include "connection/engine/database.h"
#include "widgets/popupcombobox.h"
#include "widgets/statusbar.h"

#include <QAbstractItemView>
#include <QFile>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::ClientEnvironment;
using quoll::testing::MainFixture;
using quoll::testing::SessionFixture;

namespace {

const QString Connected = u"Подключение к базе"_s;
const QString Failed = u"Ошибка подключения к базе"_s;
const QString Disconnected = u"Отключение от базы"_s;

// The number of rows of `table` in the database file itself, as a fresh
// session would see them.
int rowsOnDisk(const SessionFixture &f, const QString &database, const QString &table)
{
    sqlite3 *db = f.server().open(database);
    sqlite3_stmt *stmt = nullptr;
    int count = -1;
    const QByteArray sql = "select count(*) from " + table.toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        count = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return count;
}

QList<QWidget *> connectedControls(const SessionFixture &f)
{
    QList<QWidget *> controls;
    for (const QString &name : {u"cbDataBaseName"_s, u"cbRoleName"_s, u"cbTableWild"_s, u"tbFindTable"_s,
                                u"cbProcWild"_s, u"tbFindProc"_s, u"tbBeginCommit"_s})
        controls.append(f.find(name));
    return controls;
}

QList<connection::Query *> browserQueries(SessionFixture &f)
{
    catalog::BrowserQueries &q = f.probe().browserQueries();
    return {&q.qFields(), &q.qIndx(), &q.qCntr(), &q.qProcBd(), &q.qProcDc(), &q.qProcAuth()};
}

QList<bool> prepared(SessionFixture &f)
{
    QList<bool> states;
    for (connection::Query *query : browserQueries(f))
        states.append(query->isPrepared());
    return states;
}

QString location(const QString &database)
{
    return QString::fromLatin1(SessionFixture::Server) + u'@' + database;
}

// A session in database "alpha" with an empty logged table `t`.
bool inAlphaWithTable(SessionFixture &f)
{
    f.createDatabases({u"alpha"_s, u"zeta"_s});
    if (!f.connect())
        return false;
    f.pickDatabase(u"alpha"_s);
    f.window->database().execute(u"create table t (i integer)"_s);
    return f.dialogs.messages().isEmpty();
}

} // namespace

// Connecting with `tbConnect`, the steps after connecting and around
// disconnecting, and switching databases in `cbDataBaseName`, through the
// main window against the embedded server.
class TstConnect : public QObject
{
    Q_OBJECT

private slots:
    void connectingRunsTheAfterConnectSteps();
    void preselection_data();
    void preselection();
    void theRememberedDatabaseIsPreselectedButNotEntered();
    void disconnectingRunsItsSteps();
    void switchingEntersThePickedDatabase();
    void aRefusedSwitchClaimsNothing();
    void aFailedConnectIsLoggedAndShown();
    void aCancelledLoginIsLoggedOnly();
    void aFailureAfterConnectingLeavesTheConnectionOpen();
    void theTransactionQuestion_data();
    void theTransactionQuestion();
};

void TstConnect::connectingRunsTheAfterConnectSteps()
{
    SessionFixture f;
    f.createDatabases({u"zeta"_s, u"alpha"_s, u"mid"_s});
    QVERIFY(f.show());
    auto *databases = f.probe().topBar()->dataBaseName();
    QVERIFY(!databases->isEnabled());
    for (QWidget *control : connectedControls(f))
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));

    auto *servers = f.find<QComboBox>(u"cbServerName"_s);
    servers->setCurrentIndex(servers->findText(QString::fromLatin1(SessionFixture::Server)));
    f.answerLogin(u"tester"_s);
    f.probe().topBar()->connectButton()->click();
    QVERIFY(f.window->database().isConnected());
    // The user picks a database next: its list is open.
    QVERIFY(databases->view()->isVisible());
    databases->hidePopup();

    QCOMPARE(f.dialogs.messages().size(), 0);
    QCOMPARE(f.log(1), QStringList{Connected + u" | "_s + location(u"sysmaster"_s)});
    QVERIFY(f.probe().topBar()->connectButton()->isChecked());
    QVERIFY(!servers->isEnabled());
    for (QWidget *control : connectedControls(f))
        QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
    QVERIFY(!f.find(u"tbRollback"_s)->isEnabled());

    const QString full = f.column(u"select DBINFO(\"version\",\"full\") from systables where tabid = 99"_s).value(0);
    QVERIFY(!full.isEmpty());
    QCOMPARE(f.window->windowTitle(), u"Quoll v4.57b [tester]   ("_s + full + u')');
    QCOMPARE(f.probe().connectionControl().serverMajorVersion(),
             f.column(u"select DBINFO(\"version\",\"major\") from systables where tabid = 99"_s).value(0));
    QCOMPARE(f.probe().connectionControl().savedServerName(), QString::fromLatin1(SessionFixture::Server));

    QCOMPARE(f.items(databases), (QStringList{u"alpha"_s, u"mid"_s, u"sysmaster"_s, u"zeta"_s}));
    QCOMPARE(databases->currentText(), u"sysmaster"_s);
    QCOMPARE(prepared(f), QList<bool>(6, true));
    // The list was read under dirty read, and the session is back at
    // committed read: a plain query still works.
    QCOMPARE(f.column(u"select name from sysdatabases where name = 'mid'"_s), QStringList{u"mid"_s});
}

void TstConnect::preselection_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<int>("index");
    const QStringList names{u"alpha"_s, u"sysmaster"_s, u"zeta"_s};
    QTest::newRow("remembered") << names << u"zeta"_s << 2;
    QTest::newRow("remembered in other letter case") << names << u"ZeTa"_s << 2;
    QTest::newRow("only the whole name counts") << names << u"zet"_s << 1;
    QTest::newRow("nothing remembered") << names << QString() << 1;
    QTest::newRow("remembered one is gone") << names << u"gone"_s << 1;
    QTest::newRow("no sysmaster, nothing remembered") << QStringList{u"alpha"_s, u"zeta"_s} << QString() << -1;
    QTest::newRow("no sysmaster, remembered one gone") << QStringList{u"alpha"_s} << u"beta"_s << -1;
    QTest::newRow("empty list") << QStringList() << u"alpha"_s << -1;
}

void TstConnect::preselection()
{
    QFETCH(QStringList, names);
    QFETCH(QString, saved);
    QFETCH(int, index);
    QCOMPARE(app::ConnectionControl::preselection(names, saved), index);
}

void TstConnect::theRememberedDatabaseIsPreselectedButNotEntered()
{
    SessionFixture f;
    f.createDatabases({u"alpha"_s, u"zeta"_s});
    f.probe().connectionControl().setSavedDataBaseName(u"ZETA"_s);
    QVERIFY(f.connect());
    QCOMPARE(f.probe().topBar()->dataBaseName()->currentText(), u"zeta"_s);
    // Still in sysmaster until the user picks: only sysmaster lists databases.
    QCOMPARE(f.column(u"select count(*) from sysdatabases where name = 'zeta'"_s), QStringList{u"1"_s});
    QCOMPARE(f.log(1), QStringList{Connected + u" | "_s + location(u"sysmaster"_s)});
}

void TstConnect::disconnectingRunsItsSteps()
{
    SessionFixture f;
    f.createDatabases({u"alpha"_s});
    QVERIFY(f.connect());
    f.pickDatabase(u"alpha"_s);
    widgets::StatusBar *status = f.probe().statusPanels();
    for (int panel = 0; panel < 4; ++panel)
        status->setPanelText(panel, u"text"_s);
    status->setAlarm(true);
    const int before = f.logSize();

    f.probe().topBar()->connectButton()->click();
    QVERIFY(!f.window->database().isConnected());
    QCOMPARE(f.log(before), QStringList{Disconnected + u" | "_s + location(u"alpha"_s)});
    QCOMPARE(f.window->windowTitle(), u"Quoll v4.57b"_s);
    QVERIFY(!f.probe().topBar()->connectButton()->isChecked());
    QVERIFY(f.find(u"cbServerName"_s)->isEnabled());
    for (QWidget *control : connectedControls(f))
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    QVERIFY(!f.find(u"tbRollback"_s)->isEnabled());
    // The list stays for the next connect to refill.
    QCOMPARE(f.items(f.probe().topBar()->dataBaseName()), (QStringList{u"alpha"_s, u"sysmaster"_s}));
    QCOMPARE(status->panelText(0), u"text"_s);
    for (int panel = 1; panel < 4; ++panel)
        QCOMPARE(status->panelText(panel), QString());
    QVERIFY(!status->isAlarm());
    QCOMPARE(prepared(f), QList<bool>(6, false));
    QCOMPARE(f.dialogs.messages().size(), 0);

    // Connecting again refills the list with the database picked last.
    f.createDatabases({u"beta"_s});
    QVERIFY(f.connect());
    QCOMPARE(f.items(f.probe().topBar()->dataBaseName()), (QStringList{u"alpha"_s, u"beta"_s, u"sysmaster"_s}));
    QCOMPARE(f.probe().topBar()->dataBaseName()->currentText(), u"alpha"_s);
}

void TstConnect::switchingEntersThePickedDatabase()
{
    SessionFixture f;
    f.createDatabases({u"alpha"_s, u"zeta"_s});
    QVERIFY(f.connect());
    f.pickDatabase(u"alpha"_s);
    f.window->database().execute(u"create table only_in_alpha (i integer)"_s);
    f.probe().topBar()->roleName()->addItem(u"left over"_s);
    f.probe().statusPanels()->setPanelText(3, u"old"_s);
    const int before = f.logSize();

    f.pickDatabase(u"zeta"_s);
    QCOMPARE(f.dialogs.messages().size(), 0);
    QCOMPARE(f.log(before), QStringList{Connected + u" | "_s + location(u"zeta"_s)});
    QCOMPARE(f.probe().connectionControl().savedDataBaseName(), u"zeta"_s);
    // The table queries are prepared again; the routine ones wait until used.
    QCOMPARE(prepared(f), (QList<bool>{true, true, true, false, false, false}));
    QCOMPARE(f.probe().topBar()->roleName()->count(), 0);
    QCOMPARE(f.probe().statusPanels()->panelText(3), QString());

    f.pickDatabase(u"alpha"_s);
    QCOMPARE(f.column(u"select count(*) from only_in_alpha"_s), QStringList{u"0"_s});
    QCOMPARE(f.dialogs.messages().size(), 0);
}

void TstConnect::aRefusedSwitchClaimsNothing()
{
    SessionFixture f;
    f.createDatabases({u"alpha"_s, u"zeta"_s});
    QVERIFY(f.connect());
    f.pickDatabase(u"alpha"_s);
    f.server().dropDatabase(u"zeta"_s);
    const int before = f.logSize();

    f.pickDatabase(u"zeta"_s);
    QCOMPARE(f.log(before), QStringList{Failed + u" | "_s + location(u"zeta"_s)});
    QVERIFY(f.probe().statusPanels()->isAlarm());
    QCOMPARE(f.probe().statusPanels()->panelText(3), u"Ошибка подключения к базе:  zeta"_s);
    QCOMPARE(f.probe().connectionControl().savedDataBaseName(), u"alpha"_s);
    QCOMPARE(f.dialogs.messages().size(), 0);
    QVERIFY(f.window->database().isConnected());

    // The next good switch clears the red bar.
    f.pickDatabase(u"alpha"_s);
    QVERIFY(!f.probe().statusPanels()->isAlarm());
    QCOMPARE(f.probe().connectionControl().savedDataBaseName(), u"alpha"_s);
}

void TstConnect::aFailedConnectIsLoggedAndShown()
{
    QTemporaryDir hostsFolder;
    const QString sqlhosts = hostsFolder.filePath(u"sqlhosts"_s);
    QFile file(sqlhosts);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("nowhere onsoctcp no.such.host.invalid 9088\n");
    file.close();
    ClientEnvironment environment(sqlhosts);
    MainFixture f;
    QCOMPARE(f.find<QComboBox>(u"cbServerName"_s)->currentText(), u"nowhere"_s);
    f.answerLogin(u"tester"_s);
    f.probe().topBar()->connectButton()->click();

    QVERIFY(!f.window->database().isConnected());
    QVERIFY(!f.probe().topBar()->connectButton()->isChecked());
    QCOMPARE(f.window->windowTitle(), u"Quoll v4.57b"_s);
    QVERIFY(f.find(u"cbServerName"_s)->isEnabled());
    QVERIFY(!f.find(u"cbDataBaseName"_s)->isEnabled());
    const app::LogModel *log = f.probe().logPage()->model();
    QCOMPARE(log->size(), 2);
    QCOMPARE(log->entry(1).message, Failed);
    QCOMPARE(log->entry(1).details, u"nowhere@sysmaster"_s);
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(!f.dialogs.messages().first().text.isEmpty());
}

void TstConnect::aCancelledLoginIsLoggedOnly()
{
    SessionFixture f;
    auto *servers = f.find<QComboBox>(u"cbServerName"_s);
    servers->setCurrentIndex(servers->findText(QString::fromLatin1(SessionFixture::Server)));
    // No login answer queued: the dialog is cancelled.
    f.probe().topBar()->connectButton()->click();
    QVERIFY(!f.window->database().isConnected());
    QVERIFY(!f.probe().topBar()->connectButton()->isChecked());
    QCOMPARE(f.log(1), QStringList{Failed + u" | "_s + location(u"sysmaster"_s)});
    QCOMPARE(f.dialogs.messages().size(), 0);
    QCOMPARE(f.dialogs.calls().size(), 1);
    QCOMPARE(f.dialogs.calls().first().title, u"Подключение к БД"_s);
}

void TstConnect::aFailureAfterConnectingLeavesTheConnectionOpen()
{
    SessionFixture f;
    f.createDatabases({});
    // A catalog table the last step prepares a query on is missing.
    sqlite3 *master = f.server().open(u"sysmaster"_s);
    QCOMPARE(sqlite3_exec(master, "drop table sysprocbody", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close_v2(master);

    QVERIFY(f.connect());
    QVERIFY(!f.probe().topBar()->connectButton()->isChecked());
    QCOMPARE(f.log(1), (QStringList{Connected + u" | "_s + location(u"sysmaster"_s),
                                    Failed + u" | "_s + location(u"sysmaster"_s)}));
    QCOMPARE(f.dialogs.messages().size(), 1);

    // The next click closes the connection left open.
    const int before = f.logSize();
    f.probe().topBar()->connectButton()->click();
    QVERIFY(!f.window->database().isConnected());
    QVERIFY(!f.probe().topBar()->connectButton()->isChecked());
    QCOMPARE(f.log(before).size(), 1);
    QVERIFY(f.log(before).first().startsWith(Disconnected));
}

void TstConnect::theTransactionQuestion_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");
    for (const QString &action : {u"disconnect"_s, u"switch"_s, u"close"_s}) {
        QTest::newRow(qPrintable(action + u", yes"_s)) << action << int(Dialogs::Button::Yes);
        QTest::newRow(qPrintable(action + u", no"_s)) << action << int(Dialogs::Button::No);
        QTest::newRow(qPrintable(action + u", cancel"_s)) << action << int(Dialogs::Button::Cancel);
    }
}

void TstConnect::theTransactionQuestion()
{
    QFETCH(QString, action);
    QFETCH(int, answer);
    const auto button = Dialogs::Button(answer);
    SessionFixture f;
    QVERIFY(inAlphaWithTable(f));
    f.probe().topBar()->beginCommitButton()->click();
    QVERIFY(f.window->database().inTransaction());
    f.window->database().execute(u"insert into t values (1)"_s);
    const int before = f.logSize();
    f.dialogs.answerQuestion(button);

    bool closed = false;
    if (action == u"disconnect")
        f.probe().topBar()->connectButton()->click();
    else if (action == u"switch")
        f.pickDatabase(u"zeta"_s);
    else
        closed = f.window->close();

    QCOMPARE(f.dialogs.unexpectedCalls(), 0);
    const testing::ScriptedDialogs::Call question = f.dialogs.calls().last();
    QCOMPARE(question.kind, testing::ScriptedDialogs::Kind::Question);
    QCOMPARE(question.title, u"Транзакция"_s);
    QCOMPARE(question.text, u"Завершить транзакцию"_s);
    QCOMPARE(f.dialogs.messages().size(), 0);

    if (button == Dialogs::Button::Cancel) {
        // Everything stays as it was.
        QCOMPARE(f.logSize(), before);
        QVERIFY(f.window->database().isConnected());
        QVERIFY(f.window->database().inTransaction());
        QVERIFY(f.probe().topBar()->connectButton()->isChecked());
        QVERIFY(f.probe().topBar()->beginCommitButton()->isChecked());
        QVERIFY(!closed);
        QCOMPARE(f.probe().connectionControl().savedDataBaseName(), u"alpha"_s);
        // Still in alpha, where the table and the uncommitted row are.
        QCOMPARE(f.column(u"select count(*) from t"_s), QStringList{u"1"_s});
        if (action == u"switch")
            QCOMPARE(f.probe().topBar()->dataBaseName()->currentText(), u"zeta"_s);
        f.window->database().rollback();
        return;
    }

    const QString ended = button == Dialogs::Button::Yes ? u"Накат транзакции | "_s : u"Откат транзакции | "_s;
    QStringList expected{ended};
    if (action == u"switch")
        expected.append(Connected + u" | "_s + location(u"zeta"_s));
    else
        expected.append(Disconnected + u" | "_s + location(u"alpha"_s));
    QCOMPARE(f.log(before), expected);
    QCOMPARE(closed, action == u"close");
    QVERIFY(!f.window->database().inTransaction());
    if (action != u"switch")
        QVERIFY(!f.window->database().isConnected());
    else
        f.probe().topBar()->connectButton()->click();
    QCOMPARE(rowsOnDisk(f, u"alpha"_s, u"t"_s), button == Dialogs::Button::Yes ? 1 : 0);
}

QUOLL_TEST(TstConnect);
#include "tst_connect.moc"
