#include "embeddedfixture.h"
#include "testregistry.h"

#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/runtime/matches.h"
#include "connection/engine/dataset.h"
#include "connection/engine/query.h"
#include "core/error.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using quoll::testing::EmbeddedFixture;

namespace {

// Every row of a direct-execution cursor as tab-joined texts (NULL as "<null>").
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

QStringList rowsOf(Cursor &cursor)
{
    QStringList rows;
    CollectingSink sink;
    while (cursor.fetch(sink)) {
        rows.append(sink.fields.join(u'\t'));
        sink.fields.clear();
    }
    return rows;
}

QStringList select(Engine &engine, const QString &sql)
{
    DirectResult result = engine.executeDirect(sql);
    if (result.status != StatusOk)
        qWarning("%s failed: %s", qPrintable(sql), qPrintable(engine.lastError().context));
    return result.cursor ? rowsOf(*result.cursor) : QStringList{u"<no cursor>"_s};
}

} // namespace

// The embedded server as the program and its users meet it: connecting,
// the server's own statements, Informix errors with their codes and
// offsets, the communication area, transactions and value texts.
class TstEmbeddedEngine : public QObject
{
    Q_OBJECT

private slots:
    void resultColumnsAreNamedAsTheServerNamesThem();
    void connectingOpensSysmasterAndAnswersTheConnectQueries();
    void hooksRunInOrderAndTheLoginSetsTheUser();
    void cancelledLoginLeavesTheConnectionClosed();
    void cancelledDisconnectKeepsTheConnection();
    void databasesAreCreatedSwitchedAndDropped();
    void failuresCarryInformixCodesAndOffsets_data();
    void failuresCarryInformixCodesAndOffsets();
    void cursorExactlyWhenTheStatementYieldsRows();
    void communicationAreaAfterEachKindOfStatement();
    void transactionsKeepOneTruth();
    void transactionsNeedALoggedDatabase();
    void valuesShowInTheirInformixTextForm();
    void doubleQuotesAreStringsAndCommentsAreBlanks();
    void queriesBindNamedParameters();
    void informixSelectsAnswer_data();
    void informixSelectsAnswer();
    void matchesFollowsInformixPatterns_data();
    void matchesFollowsInformixPatterns();
};

void TstEmbeddedEngine::connectingOpensSysmasterAndAnswersTheConnectQueries()
{
    EmbeddedFixture f;
    QVERIFY(f.database.isConnected());
    QCOMPARE(f.engine->currentDatabase(), u"sysmaster"_s);
    const QStringList who = select(*f.engine, u"select user, DBINFO(\"version\",\"full\") from systables WHERE tabid = 99"_s);
    QCOMPARE(who.size(), 1);
    QVERIFY(who[0].startsWith(u"tester\t"_s));
    QVERIFY2(who[0].contains(u"Embedded"_s), qPrintable(who[0]));
    QCOMPARE(select(*f.engine, u"select DBINFO(\"version\",\"major\") from systables WHERE tabid = 99"_s),
             QStringList{u"9"_s});
    f.run(u"set isolation to dirty read"_s);
    QCOMPARE(select(*f.engine, u"select name from sysdatabases"_s), QStringList{u"sysmaster"_s});
    f.run(u"set isolation to committed read"_s);
    f.run(u"set lock mode to wait 10"_s);
}

void TstEmbeddedEngine::hooksRunInOrderAndTheLoginSetsTheUser()
{
    QTemporaryDir folder;
    Database database(std::make_unique<embedded::EmbeddedEngine>(
        embedded::EmbeddedServer(u"s"_s, folder.filePath(u"s"_s))));
    QStringList order;
    database.hooks().beforeConnect = [&](ParameterList &p) {
        order << u"before"_s;
        p.clear();
        p.append(u"SERVER NAME=s"_s);
        p.append(u"DATABASE NAME=sysmaster"_s);
        p.append(u"USER NAME="_s);
        p.append(u"PASSWORD="_s);
    };
    database.hooks().login = [&](ParameterList &login) {
        order << u"login"_s;
        QVERIFY(login.contains(u"USER NAME"_s) && login.contains(u"PASSWORD"_s));
        login.setValue(u"USER NAME"_s, u"ivanov"_s);
        login.setValue(u"PASSWORD"_s, u"secret"_s);
    };
    database.hooks().afterConnect = [&] { order << u"after"_s; };
    database.hooks().beforeDisconnect = [&] { order << u"before disconnect"_s; };
    database.hooks().afterDisconnect = [&] { order << u"after disconnect"_s; };
    database.open();
    QCOMPARE(select(database.engine(), u"select user from systables where tabid = 1"_s), QStringList{u"ivanov"_s});
    // The list the program keeps never holds what the login typed.
    QCOMPARE(database.parameters().value(u"USER NAME"_s), QString());
    QCOMPARE(database.parameters().value(u"PASSWORD"_s), QString());
    database.close();
    QVERIFY(!database.isConnected());
    QCOMPARE(order, (QStringList{u"before"_s, u"login"_s, u"after"_s, u"before disconnect"_s, u"after disconnect"_s}));
}

void TstEmbeddedEngine::cancelledLoginLeavesTheConnectionClosed()
{
    QTemporaryDir folder;
    Database database(std::make_unique<embedded::EmbeddedEngine>(
        embedded::EmbeddedServer(u"s"_s, folder.filePath(u"s"_s))));
    bool after = false;
    database.hooks().login = [](ParameterList &) { throw SilentAbort(); };
    database.hooks().afterConnect = [&] { after = true; };
    bool aborted = false;
    try {
        database.open();
    } catch (const SilentAbort &) {
        aborted = true;
    }
    QVERIFY(aborted);
    QVERIFY(!database.isConnected());
    QVERIFY(!after);
}

void TstEmbeddedEngine::cancelledDisconnectKeepsTheConnection()
{
    EmbeddedFixture f;
    bool afterDisconnect = false;
    f.database.hooks().beforeDisconnect = [] { throw SilentAbort(); };
    f.database.hooks().afterDisconnect = [&] { afterDisconnect = true; };
    QVERIFY_THROWS_EXCEPTION(SilentAbort, f.database.close());
    QVERIFY(f.database.isConnected());
    QVERIFY(!afterDisconnect);
}

void TstEmbeddedEngine::databasesAreCreatedSwitchedAndDropped()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"stores"_s);
    QCOMPARE(f.engine->currentDatabase(), u"stores"_s);
    f.run(u"create table items (id integer, name varchar(20))"_s);
    f.run(u"database sysmaster"_s);
    f.run(u"create database Empty"_s);
    f.run(u"database sysmaster"_s);
    QCOMPARE(select(*f.engine, u"select name from sysdatabases order by name"_s),
             (QStringList{u"empty"_s, u"stores"_s, u"sysmaster"_s}));
    f.run(u"database STORES"_s);
    QCOMPARE(select(*f.engine, u"select count(*) from items"_s), QStringList{u"0"_s});
    f.run(u"database sysmaster"_s);
    f.run(u"drop database empty"_s);
    QCOMPARE(select(*f.engine, u"select name from sysdatabases order by name"_s),
             (QStringList{u"stores"_s, u"sysmaster"_s}));
    // Every database carries the catalog, the version row among it.
    f.run(u"database stores"_s);
    QCOMPARE(select(*f.engine, u"select tabname from systables where tabid = 99"_s), QStringList{u" VERSION"_s});
}

void TstEmbeddedEngine::failuresCarryInformixCodesAndOffsets_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("offset");

    const QString table = u"create table t (a integer not null primary key, b varchar(10) unique)"_s;
    QTest::newRow("syntax") << QString() << u"select * fro systables"_s << -201
                            << u"A syntax error has occurred."_s << 10;
    QTest::newRow("syntax after a brace comment") << QString() << u"{ note } selec 1 from systables"_s << -201
                                                  << u"A syntax error has occurred."_s << 10;
    QTest::newRow("unknown table") << QString() << u"select * from nosuch"_s << -206
                                   << u"The specified table (nosuch) is not in the database."_s << 15;
    QTest::newRow("unknown column") << QString() << u"select nosuch from systables"_s << -217
                                    << u"Column (nosuch) not found in any table in the query (or SLV is undefined)."_s
                                    << 8;
    // Constraint numbers: a's NOT NULL 1, its primary key 2, b's unique 3.
    QTest::newRow("duplicate key") << table + u";insert into t values (1, 'x')"_s << u"insert into t values (1, 'y')"_s
                                   << -268 << u"Unique constraint (tester.u100_2) violated."_s << 0;
    QTest::newRow("duplicate in unique column")
        << table + u";insert into t values (1, 'x')"_s << u"insert into t values (2, 'x')"_s << -268
        << u"Unique constraint (tester.u100_3) violated."_s << 0;
    QTest::newRow("duplicate in unique index")
        << u"create table u (a integer, b integer);create unique index ix_ab on u (b, a);insert into u values (1, 2)"_s
        << u"insert into u values (1, 2)"_s << -239
        << u"Could not insert new row - duplicate value in a UNIQUE INDEX column (Unique Index:ix_ab)."_s << 0;
    QTest::newRow("null into not null") << u"create table n (a integer not null, b integer)"_s
                                        << u"insert into n (b) values (1)"_s << -391
                                        << u"Cannot insert a null into column (n.a)."_s << 0;
    QTest::newRow("table exists") << table << table << -310 << u"Table (t) already exists in database."_s << 0;
    QTest::newRow("unknown database") << QString() << u"database nosuch"_s << -329
                                      << u"Database not found or no system permission."_s << 10;
    QTest::newRow("commit outside a transaction") << QString() << u"commit work"_s << -255
                                                  << u"Not in transaction."_s << 1;
    QTest::newRow("begin twice") << u"begin work"_s << u"begin work"_s << -535 << u"Already in transaction."_s << 1;
    QTest::newRow("open quote") << QString() << u"select 'abc from systables"_s << -282
                                << u"Found a quote for which there is no matching quote."_s << 8;
    QTest::newRow("two statements at once") << QString() << u"select 1 from systables; select 2 from systables"_s
                                            << -201 << u"A syntax error has occurred."_s << 26;
}

void TstEmbeddedEngine::failuresCarryInformixCodesAndOffsets()
{
    QFETCH(QString, setup);
    QFETCH(QString, statement);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, offset);
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    for (const QString &s : setup.split(u';', Qt::SkipEmptyParts))
        f.run(s);
    const DirectResult result = f.engine->executeDirect(statement);
    QCOMPARE(result.status, quint16(StatusSqlError));
    QVERIFY(!result.cursor);
    QCOMPARE(f.engine->lastError().nativeCode, code);
    QCOMPARE(f.engine->lastError().context, message);
    QCOMPARE(f.engine->communicationArea().code, code);
    if (offset > 0)
        QCOMPARE(f.engine->communicationArea().errorOffset, offset);
    // The same failure raised through the statement interface.
    try {
        f.engine->execute(statement);
        QFAIL("no failure raised");
    } catch (const EngineError &e) {
        QCOMPARE(e.nativeCode(), code);
    }
}

void TstEmbeddedEngine::cursorExactlyWhenTheStatementYieldsRows()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    DirectResult create = f.engine->executeDirect(u"create table t (a integer)"_s);
    QCOMPARE(create.status, quint16(StatusOk));
    QVERIFY(!create.cursor);
    QVERIFY(!f.engine->executeDirect(u"insert into t values (1)"_s).cursor);
    DirectResult empty = f.engine->executeDirect(u"select a from t where a > 5"_s);
    QVERIFY(empty.cursor);
    QCOMPARE(rowsOf(*empty.cursor), QStringList{});
    QCOMPARE(select(*f.engine, u"select a from t"_s), QStringList{u"1"_s});
    QVERIFY(!f.engine->executeDirect(u"-- only a comment"_s).cursor);
}

void TstEmbeddedEngine::communicationAreaAfterEachKindOfStatement()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"logged"_s);
    CommunicationArea area = f.engine->communicationArea();
    QCOMPARE(area.warningText(), u"WW W    "_s);
    f.run(u"create table t (id integer primary key, v integer)"_s);
    f.run(u"insert into t values (7, 1)"_s);
    area = f.engine->communicationArea();
    QCOMPARE(area.rowsProcessed, 1);
    QCOMPARE(area.serialOrSecondary, 7);
    QCOMPARE(area.rowId, 7);
    f.run(u"insert into t values (8, 1)"_s);
    f.run(u"insert into t values (9, 2)"_s);
    f.run(u"update t set v = 3 where v = 1"_s);
    QCOMPARE(f.engine->communicationArea().rowsProcessed, 2);
    f.run(u"delete from t"_s);
    QCOMPARE(f.engine->communicationArea().rowsProcessed, 3);
    QCOMPARE(f.engine->communicationArea().serialOrSecondary, 0);
    f.run(u"create database plain"_s);
    QCOMPARE(f.engine->communicationArea().warningText(), u"W  W    "_s);
    f.engine->executeDirect(u"selec 1"_s);
    QCOMPARE(f.engine->communicationArea().errorOffset, 1);
    QCOMPARE(f.engine->communicationArea().code, -201);
    f.run(u"database logged"_s);
    QCOMPARE(f.engine->communicationArea().code, 0);
    QCOMPARE(f.engine->communicationArea().errorOffset, 0);
}

void TstEmbeddedEngine::transactionsKeepOneTruth()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    f.run(u"create table t (a integer)"_s);

    f.database.startTransaction();
    QVERIFY(f.database.inTransaction());
    f.run(u"insert into t values (1)"_s);
    f.run(u"commit work"_s);
    QVERIFY(!f.database.inTransaction());

    f.run(u"begin work"_s);
    QVERIFY(f.database.inTransaction());
    f.run(u"insert into t values (2)"_s);
    f.database.rollback();
    QVERIFY(!f.database.inTransaction());
    QCOMPARE(select(*f.engine, u"select a from t"_s), QStringList{u"1"_s});

    f.run(u"begin"_s);
    f.run(u"delete from t"_s);
    f.run(u"rollback work"_s);
    QCOMPARE(select(*f.engine, u"select count(*) from t"_s), QStringList{u"1"_s});
    QVERIFY_THROWS_EXCEPTION(EngineError, f.database.commit());
}

void TstEmbeddedEngine::transactionsNeedALoggedDatabase()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"nolog"_s, false);
    try {
        f.database.startTransaction();
        QFAIL("a transaction started without a log");
    } catch (const EngineError &e) {
        QCOMPARE(e.nativeCode(), -256);
    }
    QVERIFY(!f.database.inTransaction());
}

void TstEmbeddedEngine::valuesShowInTheirInformixTextForm()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    f.run(u"create table v (d date, m decimal(8,2), f float, n decimal(10), b boolean, "
          "dt datetime year to second, c char(5), t varchar(10))"_s);
    f.run(u"insert into v values ('2026-12-08', 12.5, 1.25, 3.5, 1, '2026-12-08 10:11:12.345', 'ab', 'Привет')"_s);
    f.run(u"insert into v values (null, null, null, null, null, null, null, null)"_s);
    QCOMPARE(select(*f.engine, u"select * from v"_s),
             (QStringList{u"12/08/2026\t12.50\t1.25\t3.5\tt\t2026-12-08 10:11:12\tab\tПривет"_s,
                          u"<null>\t<null>\t<null>\t<null>\t<null>\t<null>\t<null>\t<null>"_s}));
    DirectResult result = f.engine->executeDirect(u"select d, m, c, t from v"_s);
    const QList<FieldDesc> &fields = result.cursor->fields();
    QCOMPARE(fields[0].type, FieldType::Date);
    QCOMPARE(fields[1].type, FieldType::BCD);
    QCOMPARE(fields[1].size, 8);
    QCOMPARE(fields[1].scale, 2);
    QCOMPARE(fields[2].type, FieldType::FixedString);
    QCOMPARE(fields[2].size, 5);
    QCOMPARE(fields[3].type, FieldType::String);
}

void TstEmbeddedEngine::doubleQuotesAreStringsAndCommentsAreBlanks()
{
    EmbeddedFixture f;
    QCOMPARE(select(*f.engine, u"select \"it's\" { a ; comment } from systables /* x */ where tabid = 1 -- end"_s),
             QStringList{u"it's"_s});
    QCOMPARE(select(*f.engine, u"select tabname from systables where tabname = \"systables\""_s),
             QStringList{u"systables"_s});
}

void TstEmbeddedEngine::queriesBindNamedParameters()
{
    EmbeddedFixture f;
    Query query(f.database, u"select tabname from systables where tabid = :tabid or tabid = :TabId + 1 order by 1"_s);
    QCOMPARE(query.parameterNames(), (QStringList{u"tabid"_s, u"tabid"_s}));
    query.setParameter(u"tabid"_s, 1);
    query.open();
    QStringList names;
    for (; !query.atEnd(); query.next())
        names.append(query.text(0));
    query.close();
    QCOMPARE(names, (QStringList{u"syscolumns"_s, u"systables"_s}));

    Query plain(f.database, u"select ':tabid' from systables where tabid = 1"_s, false);
    QVERIFY(plain.parameterNames().isEmpty());
    plain.open();
    QCOMPARE(plain.text(0), u":tabid"_s);
    QCOMPARE(Query::positionalText(u"select ':a', \":b\" from t where x = :c -- :d"_s, nullptr),
             u"select ':a', \":b\" from t where x = ? -- :d"_s);
}

void TstEmbeddedEngine::informixSelectsAnswer_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("matches") << u"select name from city where name matches \"*sk\" order by 1"_s
                             << QStringList{u"Minsk"_s, u"Omsk"_s, u"Tomsk"_s};
    QTest::newRow("not matches") << u"select name from city where name not matches \"[MO]*\" order by 1"_s
                                 << QStringList{u"Tomsk"_s, u"Tver"_s};
    QTest::newRow("several alternatives") << u"select name from city where (name matches \"T*\" or name matches \"?msk\") order by 1"_s
                                          << QStringList{u"Omsk"_s, u"Tomsk"_s, u"Tver"_s};
    QTest::newRow("first") << u"select first 2 name from city order by name"_s
                           << QStringList{u"Minsk"_s, u"Omsk"_s};
    QTest::newRow("skip and first") << u"select skip 1 first 2 name from city order by name;"_s
                                    << QStringList{u"Omsk"_s, u"Tomsk"_s};
    QTest::newRow("skip alone") << u"select skip 3 name from city order by name -- the rest"_s
                                << QStringList{u"Tver"_s};
    QTest::newRow("unique") << u"select unique region from city order by 1"_s << QStringList{u"east"_s, u"west"_s};
}

void TstEmbeddedEngine::informixSelectsAnswer()
{
    QFETCH(QString, statement);
    QFETCH(QStringList, rows);
    EmbeddedFixture f;
    f.useNewDatabase(u"geo"_s);
    f.run(u"create table city (name varchar(20), region char(4))"_s);
    for (const char *row : {"'Omsk', 'east'", "'Tomsk', 'east'", "'Minsk', 'west'", "'Tver', 'west'"})
        f.run(u"insert into city values (%1)"_s.arg(QString::fromLatin1(row)));
    QCOMPARE(select(*f.engine, statement), rows);
}

void TstEmbeddedEngine::matchesFollowsInformixPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("matches");
    QTest::newRow("star") << u"sys*"_s << u"systables"_s << true;
    QTest::newRow("star in the middle") << u"s*s"_s << u"systables"_s << true;
    QTest::newRow("whole value") << u"sys"_s << u"systables"_s << false;
    QTest::newRow("case matters") << u"SYS*"_s << u"systables"_s << false;
    QTest::newRow("question mark") << u"t?r"_s << u"tar"_s << true;
    QTest::newRow("question mark needs a character") << u"t?r"_s << u"tr"_s << false;
    QTest::newRow("set") << u"[Ff]rank"_s << u"frank"_s << true;
    QTest::newRow("range") << u"*[a-d]"_s << u"tabc"_s << true;
    QTest::newRow("range misses") << u"*[a-d]"_s << u"tabx"_s << false;
    QTest::newRow("negated set") << u"[^0-9]*"_s << u"x1"_s << true;
    QTest::newRow("negated set misses") << u"[^0-9]*"_s << u"1x"_s << false;
    QTest::newRow("escaped star") << u"a\\*"_s << u"a*"_s << true;
    QTest::newRow("escaped star is no wildcard") << u"a\\*"_s << u"ab"_s << false;
    QTest::newRow("empty pattern") << QString() << QString() << true;
    QTest::newRow("cyrillic") << u"Мо*"_s << u"Москва"_s << true;
    QTest::newRow("many stars") << u"*a*b*c*"_s << u"xaybzc"_s << true;
}

void TstEmbeddedEngine::matchesFollowsInformixPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, value);
    QFETCH(bool, matches);
    QCOMPARE(embedded::matchesPattern(pattern, value), matches);
}

void TstEmbeddedEngine::resultColumnsAreNamedAsTheServerNamesThem()
{
    EmbeddedFixture f;
    Dataset result;
    result.attach(f.engine->executeDirect(
        u"select tabid, tabname name, count(*), count(tabid), sum(tabid), avg(tabid), max(tabid), min(tabid), "
        "1, 'x', tabid + 1, today, lower(tabname), tabname[1,3] from systables group by tabid, tabname"_s).cursor);
    QStringList names;
    for (int i = 0; i < result.fieldCount(); ++i)
        names.append(result.fields()[i].name);
    QCOMPARE(names, (QStringList{u"tabid"_s, u"name"_s, u"(count(*))"_s, u"(count)"_s, u"(sum)"_s, u"(avg)"_s,
                                 u"(max)"_s, u"(min)"_s, u"(constant)"_s, u"(constant)"_s, u"(expression)"_s,
                                 u"(expression)"_s, u"(expression)"_s, u"(expression)"_s}));
}

QUOLL_TEST(TstEmbeddedEngine);
#include "tst_embeddedengine.moc"
