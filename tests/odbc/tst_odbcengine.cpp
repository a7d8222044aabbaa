#include "testregistry.h"

#include "connection/engine/database.h"
#include "connection/engine/dataset.h"
#include "connection/engine/query.h"
#include "connection/engine/tabledataset.h"
#include "connection/engineerror.h"
#include "connection/odbc/driverlocator.h"
#include "connection/odbc/odbccursor.h"
#include "connection/odbc/odbcengine.h"
#include "core/error.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sqlext.h>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using namespace quoll::connection::odbc;

namespace {

class CollectingSink : public RowSink
{
public:
    QStringList fields;
    void addField(const char *utf8, std::size_t length) override
    {
        fields.append(QString::fromUtf8(utf8, qsizetype(length)));
    }
    void addNull() override { fields.append(u"<null>"_s); }
};

// An SQLite database file in a temporary folder, reached through the
// driver manager and the SQLite ODBC driver.
struct SqliteOdbc
{
    QTemporaryDir folder;
    QString path = folder.filePath(u"test.db"_s);
    std::unique_ptr<OdbcEngine> engine = make();

    SqliteOdbc() { engine->connect({}); }

    // StepAPI=1 makes the driver step through a result as it is fetched
    // instead of reading all of it when the statement runs.
    std::unique_ptr<OdbcEngine> make() const
    {
        return OdbcEngine::withConnectionString(u"DRIVER={SQLite3};StepAPI=1;Database="_s + path);
    }

    void run(const QString &sql) { engine->execute(sql); }

    // Every row of a query, its fields joined by "|" (NULL as "<null>").
    QStringList rows(const QString &sql) { return rowsOf(*engine, sql); }

    static QStringList rowsOf(Engine &engine, const QString &sql)
    {
        DirectResult result = engine.executeDirect(sql);
        if (result.status != StatusOk)
            throw EngineError(engine.lastError().nativeCode, engine.lastError().context);
        if (!result.cursor)
            return {};
        QStringList lines;
        CollectingSink sink;
        while (result.cursor->fetch(sink)) {
            lines.append(sink.fields.join(u'|'));
            sink.fields.clear();
        }
        return lines;
    }
};

QString typeName(FieldType type)
{
    return fieldTypeName(type);
}

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

    void describesEveryFieldType_data()
    {
        QTest::addColumn<QString>("declared");
        QTest::addColumn<QString>("literal");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << u"integer"_s << u"42"_s << u"Integer"_s << u"42"_s;
        QTest::newRow("negative integer") << u"integer"_s << u"-7"_s << u"Integer"_s << u"-7"_s;
        QTest::newRow("smallint") << u"smallint"_s << u"12"_s << u"SmallInt"_s << u"12"_s;
        QTest::newRow("bigint") << u"bigint"_s << u"9007199254740993"_s << u"LargeInt"_s << u"9007199254740993"_s;
        QTest::newRow("real") << u"real"_s << u"2.5"_s << u"Float"_s << u"2.5"_s;
        QTest::newRow("double") << u"double"_s << u"-0.125"_s << u"Float"_s << u"-0.125"_s;
        QTest::newRow("varchar") << u"varchar(40)"_s << u"'abc'"_s << u"String"_s << u"abc"_s;
        QTest::newRow("cyrillic varchar") << u"varchar(40)"_s << u"'Привет'"_s << u"String"_s << u"Привет"_s;
        // This driver reports CHAR as VARCHAR and BLOB as BINARY.
        QTest::newRow("char") << u"char(5)"_s << u"'ab'"_s << u"String"_s << u"ab"_s;
        QTest::newRow("text") << u"text"_s << u"'long one'"_s << u"Memo"_s << u"long one"_s;
        QTest::newRow("blob") << u"blob"_s << u"x'00ff10'"_s << u"Bytes"_s << u"00ff10"_s;
        QTest::newRow("date") << u"date"_s << u"'2024-01-31'"_s << u"Date"_s << u"01/31/2024"_s;
        QTest::newRow("timestamp") << u"timestamp"_s << u"'2024-01-31 13:45:10'"_s << u"DateTime"_s
                                   << u"2024-01-31 13:45:10"_s;
        QTest::newRow("time") << u"time"_s << u"'13:45:10'"_s << u"Time"_s << u"13:45:10"_s;
    }
    void describesEveryFieldType()
    {
        QFETCH(QString, declared);
        QFETCH(QString, literal);
        QFETCH(QString, type);
        QFETCH(QString, text);
        SqliteOdbc db;
        db.run(u"create table t (v "_s + declared + u')');
        db.run(u"insert into t values ("_s + literal + u')');
        db.run(u"insert into t values (null)"_s);
        DirectResult result = db.engine->executeDirect(u"select v from t order by rowid"_s);
        QVERIFY(result.cursor);
        const FieldDesc field = result.cursor->fields().value(0);
        QCOMPARE(field.name, u"v"_s);
        QCOMPARE(typeName(field.type), type);
        QVERIFY(field.nullable);
        CollectingSink sink;
        QVERIFY(result.cursor->fetch(sink));
        QVERIFY(result.cursor->fetch(sink));
        QCOMPARE(sink.fields, (QStringList{text, u"<null>"_s}));
    }

    void describesSizes()
    {
        // (This driver reports every column as nullable.)
        SqliteOdbc db;
        db.run(u"create table t (a varchar(40), b integer, c varchar(7))"_s);
        DirectResult result = db.engine->executeDirect(u"select a, b, c from t"_s);
        QVERIFY(result.cursor);
        const QList<FieldDesc> &fields = result.cursor->fields();
        QCOMPARE(fields[0].size, 40);
        QCOMPARE(fields[1].size, 10);
        QCOMPARE(fields[2].size, 7);
    }

    void mapsServerTypesToFieldTypes_data()
    {
        QTest::addColumn<int>("sqlType");
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<bool>("autoIncrement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("char") << int(SQL_CHAR) << u"char"_s << false << u"FixedString"_s;
        QTest::newRow("nchar") << int(SQL_WCHAR) << u"nchar"_s << false << u"WideString"_s;
        QTest::newRow("serial by name") << int(SQL_INTEGER) << u"serial"_s << false << u"AutoInc"_s;
        QTest::newRow("auto-unique integer") << int(SQL_INTEGER) << u"integer"_s << true << u"AutoInc"_s;
        QTest::newRow("bigserial") << -114 << u"bigserial"_s << false << u"AutoInc"_s;
        QTest::newRow("int8") << -114 << u"int8"_s << false << u"LargeInt"_s;
        QTest::newRow("money") << int(SQL_DECIMAL) << u"money"_s << false << u"Currency"_s;
        QTest::newRow("decimal") << int(SQL_DECIMAL) << u"decimal"_s << false << u"BCD"_s;
        QTest::newRow("byte") << int(SQL_LONGVARBINARY) << u"byte"_s << false << u"Blob"_s;
        QTest::newRow("blob") << -102 << u"blob"_s << false << u"Blob"_s;
        QTest::newRow("clob") << -103 << u"clob"_s << false << u"Memo"_s;
        QTest::newRow("text") << int(SQL_LONGVARCHAR) << u"text"_s << false << u"Memo"_s;
        QTest::newRow("boolean") << int(SQL_BIT) << u"boolean"_s << false << u"Boolean"_s;
        QTest::newRow("interval") << int(SQL_INTERVAL_DAY_TO_SECOND) << u"interval"_s << false << u"String"_s;
        QTest::newRow("set") << -108 << u"set"_s << false << u"Unknown"_s;
    }
    void mapsServerTypesToFieldTypes()
    {
        QFETCH(int, sqlType);
        QFETCH(QString, typeName);
        QFETCH(bool, autoIncrement);
        QFETCH(QString, expected);
        QCOMPARE(fieldTypeName(fieldTypeOf(sqlType, 10, typeName, autoIncrement)), expected);
    }

    void readsLongTextsAndBlobsInChunks()
    {
        SqliteOdbc db;
        db.run(u"create table t (id integer, body text, data blob)"_s);
        // Beyond 64 KB and not a multiple of any chunk, with characters
        // outside ASCII and outside the basic plane.
        QString body;
        for (int i = 0; body.size() < 150'000; ++i)
            body += u"Строка %1 — line ✓ 😀\r\n"_s.arg(i);
        QByteArray data(300'001, Qt::Uninitialized);
        for (qsizetype i = 0; i < data.size(); ++i)
            data[i] = char(QRandomGenerator::global()->bounded(256));
        auto insert = db.engine->prepare(u"insert into t values (?, ?, ?)"_s);
        insert->bind(0, 1);
        insert->bind(1, body);
        insert->bind(2, data);
        QVERIFY(!insert->execute());
        QCOMPARE(insert->rowsAffected(), 1);

        DirectResult result = db.engine->executeDirect(u"select body, data, length(body), length(data) from t"_s);
        QVERIFY(result.cursor);
        CollectingSink sink;
        QVERIFY(result.cursor->fetch(sink));
        QCOMPARE(sink.fields.size(), 4);
        QCOMPARE(sink.fields[0].size(), body.size());
        QVERIFY(sink.fields[0] == body);
        QCOMPARE(sink.fields[3], QString::number(data.size()));
        QVERIFY(sink.fields[1] == QString::fromLatin1(data.toHex()));
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

    void readsALargeResultLazily()
    {
        SqliteOdbc db;
        db.run(u"create table big (n integer, label varchar(20))"_s);
        db.run(u"insert into big with recursive c(n) as (select 1 union all select n + 1 from c where n < 100000) "
               u"select n, 'row ' || n from c"_s);
        QCOMPARE(db.engine->communicationArea().rowsProcessed, 100000);

        Dataset dataset;
        dataset.attach(db.engine->executeDirect(u"select n, label from big order by n"_s).cursor);
        QCOMPARE(dataset.fetchedCount(), 1);
        QVERIFY(dataset.moveTo(999));
        QCOMPARE(dataset.fetchedCount(), 1000);
        QVERIFY(dataset.canFetchMore());
        QCOMPARE(dataset.text(1), u"row 1000"_s);
        QCOMPARE(dataset.recordCount(), 100000);
        QVERIFY(!dataset.canFetchMore());
        dataset.last();
        QCOMPARE(dataset.text(0), u"100000"_s);
    }

    void fetchingStopsWhereAsked()
    {
        // Rows after 500 fail to compute: a cursor that read ahead would
        // fail at once; one that reads as asked fails only when it gets there.
        SqliteOdbc db;
        db.run(u"create table big (n integer)"_s);
        db.run(u"insert into big with recursive c(n) as (select 1 union all select n + 1 from c where n < 100000) "
               u"select n from c"_s);
        const QString sql = u"select n, case when n <= 500 then n else abs(-9223372036854775807 - 1) end from big"_s;
        Dataset dataset;
        dataset.attach(db.engine->executeDirect(sql).cursor);
        QCOMPARE(dataset.fetchMore(499), 499);
        QCOMPARE(dataset.fetchedCount(), 500);
        QVERIFY(dataset.canFetchMore());
        try {
            dataset.fetchMore(10);
            QFAIL("the failing row was read without an error");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains(u"overflow"_s), qPrintable(e.message()));
        }
        QCOMPARE(dataset.fetchedCount(), 500);
        QVERIFY(!dataset.canFetchMore());
    }

    void aQueryWithNamedParametersThroughDatabase()
    {
        QTemporaryDir folder;
        Database database(OdbcEngine::withConnectionString(u"DRIVER={SQLite3};Database="_s
                                                           + folder.filePath(u"q.db"_s)));
        database.open();
        database.execute(u"create table t (id integer, name varchar(10))"_s);
        database.execute(u"insert into t values (1, 'a'), (2, 'b'), (3, 'c')"_s);
        Query query(database, u"select name from t where id >= :low and id <= :high order by id"_s);
        query.setParameter(u"low"_s, 2);
        query.setParameter(u"high"_s, 3);
        query.open();
        QStringList names;
        for (; !query.atEnd(); query.next())
            names.append(query.text(0));
        QCOMPARE(names, (QStringList{u"b"_s, u"c"_s}));
    }

    void aPreparedStatementRunsTwiceWithNewValues()
    {
        SqliteOdbc db;
        db.run(u"create table t (id integer, name varchar(10))"_s);
        auto insert = db.engine->prepare(u"insert into t values (?, ?)"_s);
        insert->bind(0, 1);
        insert->bind(1, u"first"_s);
        insert->execute();
        insert->bind(0, 2);
        insert->bind(1, u"second"_s);
        insert->execute();
        QCOMPARE(db.rows(u"select id, name from t order by id"_s), (QStringList{u"1|first"_s, u"2|second"_s}));

        auto select = db.engine->prepare(u"select name from t where id = ?"_s);
        select->bind(0, 1);
        std::unique_ptr<Cursor> first = select->execute();
        select->bind(0, 2);
        std::unique_ptr<Cursor> second = select->execute();
        CollectingSink sink;
        // The first run's rows ended with the second run.
        QVERIFY(!first->fetch(sink));
        QVERIFY(second->fetch(sink));
        QCOMPARE(sink.fields, QStringList{u"second"_s});
        QVERIFY(!second->fetch(sink));

        QVERIFY_THROWS_EXCEPTION(EngineError, select->bind(1, 5));
    }

    void bindsEveryValueType_data()
    {
        QTest::addColumn<QString>("declared");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("int") << u"integer"_s << QVariant(42) << u"42"_s;
        QTest::newRow("long long") << u"bigint"_s << QVariant(qlonglong(9007199254740993LL)) << u"9007199254740993"_s;
        QTest::newRow("double") << u"double"_s << QVariant(2.25) << u"2.25"_s;
        QTest::newRow("bool") << u"integer"_s << QVariant(true) << u"1"_s;
        QTest::newRow("text") << u"varchar(30)"_s << QVariant(u"Ёлка ✓"_s) << u"Ёлка ✓"_s;
        QTest::newRow("empty text") << u"varchar(30)"_s << QVariant(u""_s) << u""_s;
        QTest::newRow("date") << u"date"_s << QVariant(QDate(2024, 2, 29)) << u"02/29/2024"_s;
        QTest::newRow("date time") << u"timestamp"_s
                                   << QVariant(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58, 250)))
                                   << u"2023-12-31 23:59:58.250"_s;
        QTest::newRow("bytes") << u"blob"_s << QVariant(QByteArray("\x01\x00\xfe", 3)) << u"0100fe"_s;
        QTest::newRow("null") << u"integer"_s << QVariant() << u"<null>"_s;
        QTest::newRow("null text") << u"varchar(30)"_s << QVariant(QMetaType(QMetaType::QString)) << u"<null>"_s;
    }
    void bindsEveryValueType()
    {
        QFETCH(QString, declared);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        SqliteOdbc db;
        db.run(u"create table t (v "_s + declared + u')');
        auto insert = db.engine->prepare(u"insert into t values (?)"_s);
        insert->bind(0, value);
        insert->execute();
        QCOMPARE(db.rows(u"select v from t"_s), QStringList{text});
        // Found again by the same value.
        if (!value.isNull()) {
            auto find = db.engine->prepare(u"select count(*) from t where v = ?"_s);
            find->bind(0, value);
            std::unique_ptr<Cursor> cursor = find->execute();
            CollectingSink sink;
            QVERIFY(cursor->fetch(sink));
            QCOMPARE(sink.fields, QStringList{u"1"_s});
        }
    }

    void unboundParametersAreRefused()
    {
        SqliteOdbc db;
        auto select = db.engine->prepare(u"select ? + ?"_s);
        select->bind(0, 1);
        QVERIFY_THROWS_EXCEPTION(EngineError, select->execute());
    }

    void findsPrimaryKeysInKeyOrder()
    {
        SqliteOdbc db;
        // (This driver numbers key columns in table order.)
        db.run(u"create table keyed (a integer, b varchar(5), c integer, d integer, primary key (b, d))"_s);
        db.run(u"create table plain (a integer)"_s);
        QCOMPARE(db.engine->primaryKey(u"keyed"_s), (QStringList{u"b"_s, u"d"_s}));
        QCOMPARE(db.engine->primaryKey(u"\"keyed\""_s), (QStringList{u"b"_s, u"d"_s}));
        QCOMPARE(db.engine->primaryKey(u"plain"_s), QStringList());
        QCOMPARE(db.engine->rowIdentity(), u"rowid"_s);
    }

    void editsRowsThroughATableDataset()
    {
        SqliteOdbc db;
        db.run(u"create table items (id integer primary key, name varchar(20), qty integer default 5)"_s);
        db.run(u"insert into items values (1, 'one', 10), (2, 'two', 20)"_s);
        TableDataset table(*db.engine);
        table.open(u"items"_s);
        QCOMPARE(table.recordCount(), 2);

        table.first();
        table.edit();
        table.setValue(1, u"uno"_s);
        table.post();
        QCOMPARE(db.rows(u"select name from items where id = 1"_s), QStringList{u"uno"_s});

        table.insert();
        table.setValue(0, u"7"_s);
        table.setValue(1, u"seven"_s);
        table.post();
        // Read back: the default shows.
        QCOMPARE(table.text(2), u"5"_s);
        QCOMPARE(db.rows(u"select id, name, qty from items where id = 7"_s), QStringList{u"7|seven|5"_s});

        table.first();
        table.remove();
        QCOMPARE(db.rows(u"select id from items order by id"_s), (QStringList{u"2"_s, u"7"_s}));
    }

    void editsAKeylessTableByRowIdentity()
    {
        SqliteOdbc db;
        db.run(u"create table notes (body varchar(20), stamp integer default 99)"_s);
        db.run(u"insert into notes values ('a', 1), ('a', 2)"_s);
        TableDataset table(*db.engine);
        table.open(u"notes"_s);
        QCOMPARE(table.fieldCount(), 2);
        table.next();
        table.edit();
        table.setValue(0, u"b"_s);
        table.post();
        // Only the second of two equal-looking rows changed.
        QCOMPARE(db.rows(u"select body, stamp from notes order by stamp"_s), (QStringList{u"a|1"_s, u"b|2"_s}));

        table.insert();
        table.setValue(0, u"new"_s);
        table.post();
        // Found again by the row identity the insert left: the default shows.
        QCOMPARE(table.text(1), u"99"_s);
        QCOMPARE(db.rows(u"select count(*) from notes"_s), QStringList{u"3"_s});
    }

    void anInsertLeavesItsRowIdentity()
    {
        SqliteOdbc db;
        db.run(u"create table t (id integer primary key, v integer)"_s);
        db.run(u"insert into t values (41, 0)"_s);
        QCOMPARE(db.engine->communicationArea().rowId, 41);
        auto insert = db.engine->prepare(u"insert into t (v) values (?)"_s);
        insert->bind(0, 5);
        insert->execute();
        QCOMPARE(db.engine->communicationArea().rowId, 42);
        QCOMPARE(db.engine->communicationArea().serialOrSecondary, 42);
        QCOMPARE(db.engine->communicationArea().rowsProcessed, 1);
        // Other statements leave none.
        db.run(u"update t set v = 1"_s);
        QCOMPARE(db.engine->communicationArea().rowId, 0);
        QCOMPARE(db.engine->communicationArea().rowsProcessed, 2);
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
};

QUOLL_TEST(TstOdbcEngine);

#include "tst_odbcengine.moc"
