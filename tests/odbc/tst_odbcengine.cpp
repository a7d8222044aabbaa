#include "odbcfixture.h"
#include "testregistry.h"

#include "connection/engine/database.h"
#include "connection/engine/engineerror.h"
#include "connection/odbc/driverlocator.h"
#include "connection/odbc/odbcengine.h"
#include "core/error.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using namespace quoll::connection::odbc;
using quoll::testing::CollectingSink;
using quoll::testing::SqliteOdbc;

namespace {

// The driver manager reads its driver list once per process, so the test
// list is put in place before any ODBC call: the SQLite driver under its own
// name and once more under the name of the Informix driver.
struct TestDriverList
{
    QTemporaryDir folder;

    TestDriverList()
    {
        QFile file(folder.filePath(u"odbcinst.ini"_s));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the test driver list");
        file.write("[SQLite3]\nDriver=libsqlite3odbc.so\n\n"
                   "[IBM INFORMIX ODBC DRIVER (64-bit)]\nDriver=libsqlite3odbc.so\n");
        file.close();
        qputenv("ODBCSYSINI", QFile::encodeName(folder.path()));
        qputenv("ODBCINSTINI", "odbcinst.ini");
    }
};

const TestDriverList testDrivers;

} // namespace

class TstOdbcEngine : public QObject
{
    Q_OBJECT

private slots:
    void connectsThroughDatabaseWithItsLogin()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(u"login.db"_s);
        Database database(OdbcEngine::withConnectionString(u"DRIVER={SQLite3};Database="_s + file));
        int logins = 0;
        database.hooks().beforeConnect = [](ParameterList &p) {
            p.clear();
            p.append(u"SERVER NAME=ol_test"_s);
            p.append(u"DATABASE NAME=sysmaster"_s);
            p.append(u"USER NAME="_s);
            p.append(u"PASSWORD="_s);
            p.append(u"LOCK MODE=7"_s);
        };
        database.hooks().login = [&logins](ParameterList &login) {
            ++logins;
            login.setValue(u"USER NAME"_s, u"joe"_s);
            login.setValue(u"PASSWORD"_s, u"secret"_s);
        };
        database.open();
        QVERIFY(database.isConnected());
        QCOMPARE(logins, 1);
        database.execute(u"create table t (a integer)"_s);
        database.close();
        QVERIFY(!database.isConnected());
        QVERIFY(QFileInfo::exists(file));

        // A silent abort in the login cancels before anything connects.
        database.hooks().login = [](ParameterList &) { throw SilentAbort(); };
        QVERIFY_THROWS_EXCEPTION(SilentAbort, database.open());
        QVERIFY(!database.isConnected());
    }

    void failingConnectsSayWhy_data()
    {
        QTest::addColumn<QString>("connectionString");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown driver") << u"DRIVER={NoSuchDriver};Database=/tmp/x.db"_s
                                        << u"could not be loaded"_s;
        QTest::newRow("missing library") << u"DRIVER=/nonexistent/libnothing.so"_s << u"could not be loaded"_s;
        QTest::newRow("folder that does not exist") << u"DRIVER={SQLite3};Database=/nonexistent/dir/x.db"_s
                                                    << u""_s;
    }
    void failingConnectsSayWhy()
    {
        QFETCH(QString, connectionString);
        QFETCH(QString, expected);
        auto engine = OdbcEngine::withConnectionString(connectionString);
        try {
            engine->connect({});
            QFAIL("the connect succeeded");
        } catch (const EngineError &e) {
            QVERIFY(!e.message().isEmpty());
            QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
            QCOMPARE(engine->lastError().context, e.message().left(128));
            QCOMPARE(engine->lastSqlState().size(), 5);
        }
        QVERIFY(!engine->isConnected());
        // Nothing is left half open: statements are refused, not crashed on.
        QVERIFY_THROWS_EXCEPTION(EngineError, engine->execute(u"select 1"_s));
        QCOMPARE(engine->executeDirect(u"select 1"_s).status, StatusNotConnected);
    }

    void connectsAgainAfterAFailure()
    {
        SqliteOdbc db;
        db.engine->disconnect();
        auto engine = OdbcEngine::withConnectionString(u"DRIVER={NoSuchDriver}"_s);
        QVERIFY_THROWS_EXCEPTION(EngineError, engine->connect({}));
        db.engine->connect({});
        QCOMPARE(db.rows(u"select 1"_s), QStringList{u"1"_s});
    }

    void saysWhenNoInformixDriverIsInstalled()
    {
        OdbcEngine engine(OdbcServer{u"ol_demo"_s, u"localhost"_s, u"9088"_s, u"onsoctcp"_s},
                          [] { return QString(); });
        ParameterList parameters;
        parameters.setValue(u"SERVER NAME"_s, u"ol_demo"_s);
        parameters.setValue(u"USER NAME"_s, u"informix"_s);
        parameters.setValue(u"PASSWORD"_s, u"pw"_s);
        try {
            engine.connect(parameters);
            QFAIL("connected without a driver");
        } catch (const EngineError &e) {
            QCOMPARE(e.message(), missingDriverMessage());
            QVERIFY(e.message().contains(u"No Informix ODBC driver is installed"_s));
            QVERIFY(e.message().contains(u"Client SDK"_s));
            QVERIFY(e.message().contains(u"odbcinst.ini"_s));
            QVERIFY(e.message().contains(u"INFORMIXDIR"_s));
        }
        QVERIFY(!engine.isConnected());
    }

    void connectsToAnInformixServerEntry()
    {
        // Through the whole Informix path: the driver found among the
        // registered ones, the connection string built from the entry and
        // the login. The "Informix" driver here is the SQLite driver, which
        // ignores the server keywords and opens the DATABASE file.
        QCOMPARE(findInformixDriver(), u"IBM INFORMIX ODBC DRIVER (64-bit)"_s);
        QTemporaryDir folder;
        const QString file = folder.filePath(u"stores.db"_s);
        Database database(std::make_unique<OdbcEngine>(
            OdbcServer{u"ol_test"_s, u"localhost"_s, u"9088"_s, u"onsoctcp"_s}));
        database.hooks().beforeConnect = [file](ParameterList &p) {
            p.clear();
            p.append(u"SERVER NAME=ol_test"_s);
            p.append(u"DATABASE NAME="_s + file);
            p.append(u"USER NAME="_s);
            p.append(u"PASSWORD="_s);
            p.append(u"OPEN MODE=READ/WRITE"_s);
            p.append(u"SQLPASSTHRU MODE=SHARED AUTOCOMMIT"_s);
        };
        database.hooks().login = [](ParameterList &login) {
            login.setValue(u"USER NAME"_s, u"informix"_s);
            login.setValue(u"PASSWORD"_s, u"in4mix"_s);
        };
        database.open();
        QVERIFY(database.isConnected());
        database.execute(u"create table t (id integer)"_s);
        database.execute(u"insert into t values (5)"_s);
        QCOMPARE(SqliteOdbc::rowsOf(database.engine(), u"select id from t"_s), QStringList{u"5"_s});
        database.close();
        QVERIFY(QFileInfo(file).size() > 0);
    }

    void thePasswordAppearsInNoErrorText_data()
    {
        QTest::addColumn<bool>("informixPath");
        QTest::newRow("Informix connection string") << true;
        QTest::newRow("given connection string") << false;
    }
    void thePasswordAppearsInNoErrorText()
    {
        QFETCH(bool, informixPath);
        // The driver manager echoes the driver name it could not load; the
        // driver is named like the password so that the echo holds it.
        const QString password = u"Pa55-w0rd-xyz"_s;
        std::unique_ptr<OdbcEngine> engine;
        if (informixPath)
            engine = std::make_unique<OdbcEngine>(OdbcServer{u"ol_demo"_s, u"h"_s, u"9088"_s, u"onsoctcp"_s},
                                                  [password] { return password; });
        else
            engine = OdbcEngine::withConnectionString(u"DRIVER={"_s + password + u'}');
        Database database(std::move(engine));
        database.hooks().login = [password](ParameterList &login) {
            login.setValue(u"USER NAME"_s, u"joe"_s);
            login.setValue(u"PASSWORD"_s, password);
        };
        try {
            database.open();
            QFAIL("connected");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains(u"********"_s), qPrintable(e.message()));
            QVERIFY2(!e.message().contains(password), qPrintable(e.message()));
        }
        const Engine &used = database.engine();
        QVERIFY(!used.lastError().context.contains(password));
        const CommunicationArea area = used.communicationArea();
        QVERIFY(!QString::fromUtf8(area.messageParameters.data()).contains(u"Pa55"_s));
    }

    void statementsWithAndWithoutRows()
    {
        SqliteOdbc db;
        DirectResult created = db.engine->executeDirect(u"create table t (id integer, name varchar(20))"_s);
        QCOMPARE(created.status, StatusOk);
        QVERIFY(!created.cursor);
        QCOMPARE(db.engine->executeDirect(u"insert into t values (1, 'one')"_s).status, StatusOk);
        QCOMPARE(db.engine->communicationArea().rowsProcessed, 1);
        db.run(u"insert into t values (2, 'two')"_s);
        db.run(u"insert into t values (3, 'three')"_s);
        QCOMPARE(db.engine->executeDirect(u"update t set name = name || '!' where id >= 2"_s).status, StatusOk);
        QCOMPARE(db.engine->communicationArea().rowsProcessed, 2);
        QCOMPARE(db.engine->executeDirect(u"delete from t where id = 99"_s).status, StatusOk);
        QCOMPARE(db.engine->communicationArea().rowsProcessed, 0);

        DirectResult selected = db.engine->executeDirect(u"select id, name from t order by id"_s);
        QCOMPARE(selected.status, StatusOk);
        QVERIFY(selected.cursor);
        QCOMPARE(selected.cursor->fields().size(), 2);
        QCOMPARE(selected.cursor->fields()[0].name, u"id"_s);
        QCOMPARE(selected.cursor->fields()[1].name, u"name"_s);
        CollectingSink sink;
        QVERIFY(selected.cursor->fetch(sink));
        QVERIFY(selected.cursor->fetch(sink));
        QVERIFY(selected.cursor->fetch(sink));
        QVERIFY(!selected.cursor->fetch(sink));
        QVERIFY(!selected.cursor->fetch(sink));
        QCOMPARE(sink.fields, (QStringList{u"1"_s, u"one"_s, u"2"_s, u"two!"_s, u"3"_s, u"three!"_s}));

        // A query with no rows still has a cursor with its columns.
        DirectResult empty = db.engine->executeDirect(u"select id from t where id > 10"_s);
        QVERIFY(empty.cursor);
        QCOMPARE(empty.cursor->fields().size(), 1);
        QVERIFY(!empty.cursor->fetch(sink));
    }

    void errorsCarryTheNativeCode()
    {
        SqliteOdbc db;
        DirectResult result = db.engine->executeDirect(u"select * from missing_table"_s);
        QCOMPARE(result.status, StatusSqlError);
        QVERIFY(!result.cursor);
        const ErrorEntry error = db.engine->lastError();
        QVERIFY2(error.context.contains(u"no such table"_s), qPrintable(error.context));
        QVERIFY(error.nativeCode != 0);
        QVERIFY(error.context.size() <= 128);
        const CommunicationArea area = db.engine->communicationArea();
        QCOMPARE(area.code, error.nativeCode);
        QCOMPARE(area.errorOffset, 0);
        QCOMPARE(db.engine->lastSqlState().size(), 5);
        QVERIFY(!db.engine->lastSqlState().startsWith(u"00"_s));
        QVERIFY(QString::fromUtf8(area.messageParameters.data()).contains(u"no such table"_s));

        try {
            db.run(u"selec 1"_s);
            QFAIL("no error");
        } catch (const EngineError &e) {
            QVERIFY(e.nativeCode() != 0);
            QVERIFY2(e.message().contains(u"syntax error"_s), qPrintable(e.message()));
            QCOMPARE(db.engine->lastError().nativeCode, e.nativeCode());
        }
        QVERIFY_THROWS_EXCEPTION(EngineError, db.engine->prepare(u"select * from nowhere"_s));

        // A success clears what the failure left.
        QCOMPARE(db.engine->executeDirect(u"select 1"_s).status, StatusOk);
        QCOMPARE(db.engine->lastError().nativeCode, 0);
        QVERIFY(db.engine->lastError().context.isEmpty());
        QVERIFY(db.engine->lastSqlState().isEmpty());
        QCOMPARE(db.engine->communicationArea().code, 0);
    }

    void constraintErrorsFromPreparedStatements()
    {
        SqliteOdbc db;
        db.run(u"create table t (id integer primary key, name varchar(10) not null)"_s);
        auto insert = db.engine->prepare(u"insert into t values (?, ?)"_s);
        insert->bind(0, 1);
        insert->bind(1, u"a"_s);
        insert->execute();
        try {
            insert->execute();
            QFAIL("a duplicate key was accepted");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains(u"UNIQUE"_s, Qt::CaseInsensitive)
                         || e.message().contains(u"constraint"_s, Qt::CaseInsensitive),
                     qPrintable(e.message()));
            QCOMPARE(db.engine->lastError().nativeCode, e.nativeCode());
        }
        // The statement stays usable after its failure.
        insert->bind(0, 2);
        insert->execute();
        QCOMPARE(db.rows(u"select count(*) from t"_s), QStringList{u"2"_s});
    }

    void transactionsCommitAndRollBack()
    {
        SqliteOdbc db;
        db.run(u"create table t (id integer)"_s);
        // A second connection sees only what was committed.
        auto other = db.make();
        other->connect({});
        QVERIFY(!db.engine->inTransaction());

        db.engine->startTransaction();
        QVERIFY(db.engine->inTransaction());
        db.run(u"insert into t values (1)"_s);
        QCOMPARE(db.rows(u"select count(*) from t"_s), QStringList{u"1"_s});
        db.engine->rollback();
        QVERIFY(!db.engine->inTransaction());
        QCOMPARE(db.rows(u"select count(*) from t"_s), QStringList{u"0"_s});

        db.engine->startTransaction();
        db.run(u"insert into t values (2)"_s);
        db.engine->commit();
        QVERIFY(!db.engine->inTransaction());
        QCOMPARE(SqliteOdbc::rowsOf(*other, u"select id from t"_s), QStringList{u"2"_s});

        // Autocommit is back on: a lone statement is seen at once.
        db.run(u"insert into t values (3)"_s);
        QCOMPARE(SqliteOdbc::rowsOf(*other, u"select count(*) from t"_s), QStringList{u"2"_s});
    }

    void transactionMistakesRaiseInformixCodes()
    {
        SqliteOdbc db;
        try {
            db.engine->commit();
            QFAIL("committed outside a transaction");
        } catch (const EngineError &e) {
            QCOMPARE(e.nativeCode(), -255);
        }
        QVERIFY_THROWS_EXCEPTION(EngineError, db.engine->rollback());
        db.engine->startTransaction();
        try {
            db.engine->startTransaction();
            QFAIL("started twice");
        } catch (const EngineError &e) {
            QCOMPARE(e.nativeCode(), -535);
        }
        QVERIFY(db.engine->inTransaction());
        db.engine->rollback();
    }

    void transactionStatementsTypedAsText_data()
    {
        QTest::addColumn<QString>("begin");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("count");
        QTest::newRow("begin work, rollback work") << u"begin work"_s << u"ROLLBACK WORK;"_s << u"0"_s;
        QTest::newRow("begin, commit") << u"  BEGIN"_s << u"commit"_s << u"1"_s;
    }
    void transactionStatementsTypedAsText()
    {
        QFETCH(QString, begin);
        QFETCH(QString, end);
        QFETCH(QString, count);
        SqliteOdbc db;
        db.run(u"create table t (id integer)"_s);
        QCOMPARE(db.engine->executeDirect(begin).status, StatusOk);
        QVERIFY(db.engine->inTransaction());
        db.run(u"insert into t values (1)"_s);
        QCOMPARE(db.engine->executeDirect(end).status, StatusOk);
        QVERIFY(!db.engine->inTransaction());
        QCOMPARE(db.rows(u"select count(*) from t"_s), QStringList{count});

        QCOMPARE(db.engine->executeDirect(end).status, StatusSqlError);
        QCOMPARE(db.engine->lastError().nativeCode, -255);
        QCOMPARE(db.engine->lastError().context, u"Not in transaction."_s);
        // A word that only starts like one is an ordinary statement.
        QCOMPARE(db.engine->executeDirect(u"commitx"_s).status, StatusSqlError);
        QVERIFY(db.engine->lastError().nativeCode != -255);
    }

    void disconnectRollsBackAnOpenTransaction()
    {
        SqliteOdbc db;
        db.run(u"create table t (id integer)"_s);
        db.engine->startTransaction();
        db.run(u"insert into t values (1)"_s);
        db.engine->disconnect();
        QVERIFY(!db.engine->inTransaction());
        db.engine->connect({});
        QCOMPARE(db.rows(u"select count(*) from t"_s), QStringList{u"0"_s});
    }

    void survivesDisconnectUnderAnOpenCursor()
    {
        SqliteOdbc db;
        db.run(u"create table t (n integer)"_s);
        db.run(u"insert into t values (1), (2), (3)"_s);
        DirectResult result = db.engine->executeDirect(u"select n from t"_s);
        auto statement = db.engine->prepare(u"select n from t where n = ?"_s);
        CollectingSink sink;
        QVERIFY(result.cursor->fetch(sink));
        db.engine->disconnect();
        QVERIFY(!result.cursor->fetch(sink));
        statement->bind(0, 1);
        QVERIFY_THROWS_EXCEPTION(EngineError, statement->execute());
        QVERIFY(!db.engine->isConnected());
        result.cursor.reset();
        statement.reset();
    }

    void statementsOutliveTheirEngine()
    {
        SqliteOdbc db;
        db.run(u"create table t (n integer)"_s);
        db.run(u"insert into t values (1), (2)"_s);
        auto statement = db.engine->prepare(u"select n from t"_s);
        std::unique_ptr<Cursor> cursor = statement->execute();
        // Reconnecting does not bring a statement of the old session back.
        db.engine->disconnect();
        db.engine->connect({});
        QVERIFY_THROWS_EXCEPTION(EngineError, statement->execute());
        db.engine.reset();
        CollectingSink sink;
        QVERIFY(!cursor->fetch(sink));
        QVERIFY_THROWS_EXCEPTION(EngineError, statement->execute());
    }
};

QUOLL_TEST(TstOdbcEngine);

#include "tst_odbcengine.moc"
