#include "embeddedfixture.h"
#include "testregistry.h"

#include "connection/embedded/sql/ddlparser.h"
#include "connection/embedded/sql/statementtokens.h"
#include "connection/engine/dataset.h"
#include "connection/engine/query.h"

#include <QDate>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::connection;
using quoll::testing::EmbeddedFixture;


// After DDL the system catalog holds what an Informix server would hold.
class TstCatalogDdl : public QObject
{
    Q_OBJECT

private slots:
    void readsTheColumnsOfCreateTable();
    void newTablesAreListedFromTabid100();
    void columnTypesAreEncodedAsInformixEncodesThem_data();
    void columnTypesAreEncodedAsInformixEncodesThem();
    void failedCreateLeavesNoCatalogRows();
    void dropTableRemovesItsRows();
    void defaultsOfEveryKindAreStoredAndApplied();
    void outerJoinKeepsRowsWithoutAMatch();
    void columnQueryOfTheBrowserAnswers();
    void serialColumnsNumberTheRows();
    void storageOptionsOfCreateTable_data();
    void storageOptionsOfCreateTable();
    void tableStatementsBehindCommentsKeepTheCatalog_data();
    void tableStatementsBehindCommentsKeepTheCatalog();
};

// The table statements are told apart by their first word, which may stand
// after blanks and comments and be written in any case.
void TstCatalogDdl::tableStatementsBehindCommentsKeepTheCatalog_data()
{
    QTest::addColumn<QString>("lead");
    QTest::newRow("nothing") << QString();
    QTest::newRow("line comment") << u"-- made by a script\r\n"_s;
    QTest::newRow("brace comment and blanks") << u"  {note}\r\n\t"_s;
    QTest::newRow("block comment") << u"/* one; two */ "_s;
}

void TstCatalogDdl::tableStatementsBehindCommentsKeepTheCatalog()
{
    QFETCH(QString, lead);
    EmbeddedFixture f;
    f.useNewDatabase(u"lead"_s);
    f.run(lead + u"CREATE Table t (a integer, b char(2));"_s);
    QCOMPARE(f.rows(u"select count(*) from syscolumns where tabid = 100"_s), QStringList{u"2"_s});
    f.run(lead + u"Alter TABLE t add constraint unique (a) constraint ua"_s);
    QCOMPARE(f.rows(u"select constrname, constrtype from sysconstraints where tabid = 100"_s),
             QStringList{u"ua|U"_s});
    f.run(lead + u"insert into t values (1, 'x')"_s);
    QCOMPARE(f.engine->executeDirect(lead + u"insert into t values (1, 'y')"_s).status, quint16(StatusSqlError));
    f.run(lead + u"dRoP table t"_s);
    QCOMPARE(f.rows(u"select count(*) from systables where tabid >= 100"_s), QStringList{u"0"_s});
    QCOMPARE(f.rows(u"select count(*) from sysconstraints"_s), QStringList{u"0"_s});
}

void TstCatalogDdl::storageOptionsOfCreateTable_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("row");   // locklevel|fextsize|nextsize
    QTest::newRow("none") << QString() << u"P|16|16"_s;
    QTest::newRow("row locks") << u"lock mode row"_s << u"R|16|16"_s;
    QTest::newRow("parenthesised") << u"lock mode (table)"_s << u"T|16|16"_s;
    QTest::newRow("extents, dbspace, page locks") << u"in datadbs extent size 64 next size 32 lock mode page"_s
                                                  << u"P|64|32"_s;
}

void TstCatalogDdl::storageOptionsOfCreateTable()
{
    QFETCH(QString, options);
    QFETCH(QString, row);
    EmbeddedFixture f;
    f.useNewDatabase(u"opts"_s);
    f.run(u"create table t (a integer) "_s + options);
    QCOMPARE(f.rows(u"select locklevel, fextsize, nextsize from systables where tabname = 't'"_s), QStringList{row});
    // Anything else after the column list is a syntax error where it stands.
    QCOMPARE(f.engine->executeDirect(u"create table u (a integer) lock mode row sideways"_s).status,
             quint16(StatusSqlError));
    QCOMPARE(f.engine->lastError().nativeCode, -201);
    QCOMPARE(f.engine->communicationArea().errorOffset, 42);
}

void TstCatalogDdl::readsTheColumnsOfCreateTable()
{
    const auto table = embedded::parseCreateTable(embedded::StatementTokens(
        u"create table \"ann\".Orders (id serial not null, amount decimal ( 8 , 2 ) default 0 not null, "
        "note varchar(255,10), primary key (id), check (amount >= 0))"_s));
    QVERIFY(table);
    QCOMPARE(table->name, u"orders"_s);
    QCOMPARE(table->columns.size(), size_t(3));
    QCOMPARE(table->columns[0].name, u"id"_s);
    QCOMPARE(table->columns[0].type, u"serial"_s);
    QCOMPARE(table->columns[1].type, u"decimal ( 8 , 2 )"_s);
    QVERIFY(table->columns[1].notNull);
    QCOMPARE(table->columns[2].type, u"varchar(255,10)"_s);
    QVERIFY(!table->columns[2].notNull);
    QCOMPARE(table->primaryKey, QStringList{u"id"_s});
    QVERIFY(!embedded::parseCreateTable(embedded::StatementTokens(u"create index i on t (a)"_s)));
    QCOMPARE(embedded::parseDropTable(embedded::StatementTokens(u"drop table informix.Orders"_s)), std::optional<QString>(u"orders"_s));
}

void TstCatalogDdl::newTablesAreListedFromTabid100()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"shop"_s);
    f.run(u"create table customer (id integer, name char(20) not null)"_s);
    f.run(u"create table orders (id integer, customer integer, placed date)"_s);
    QCOMPARE(f.rows(u"select tabname, owner, tabid, ncols, tabtype, locklevel from systables "
                     "where tabid >= 100 order by tabid"_s),
             (QStringList{u"customer|ann|100|2|T|P"_s, u"orders|ann|101|3|T|P"_s}));
    QCOMPARE(f.rows(u"select colname, colno from syscolumns where tabid = 101 order by colno"_s),
             (QStringList{u"id|1"_s, u"customer|2"_s, u"placed|3"_s}));
    // The catalog's own tables stay below 100.
    QCOMPARE(f.rows(u"select count(*) from systables where tabid < 100 and tabname like 'sys%'"_s),
             QStringList{u"18"_s});
}

void TstCatalogDdl::columnTypesAreEncodedAsInformixEncodesThem_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("coltype");
    QTest::addColumn<int>("collength");
    QTest::newRow("char") << u"char(10)"_s << 0 << 10;
    QTest::newRow("not null integer") << u"integer not null"_s << 258 << 4;
    QTest::newRow("serial") << u"serial"_s << 262 << 4;
    QTest::newRow("decimal") << u"decimal(8,3)"_s << 5 << 2051;
    QTest::newRow("money") << u"money(16,2)"_s << 8 << 4098;
    QTest::newRow("varchar") << u"varchar(255,10)"_s << 13 << 2815;
    QTest::newRow("datetime") << u"datetime year to minute"_s << 10 << 3080;
    QTest::newRow("interval") << u"interval day(3) to minute"_s << 14 << 1864;
    QTest::newRow("date") << u"date"_s << 7 << 4;
}

void TstCatalogDdl::columnTypesAreEncodedAsInformixEncodesThem()
{
    QFETCH(QString, type);
    QFETCH(int, coltype);
    QFETCH(int, collength);
    EmbeddedFixture f;
    f.useNewDatabase(u"types"_s);
    f.run(u"create table t (c %1)"_s.arg(type));
    QCOMPARE(f.rows(u"select coltype, collength from syscolumns where tabid = 100"_s),
             QStringList{u"%1|%2"_s.arg(coltype).arg(collength)});
}

void TstCatalogDdl::failedCreateLeavesNoCatalogRows()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"once"_s);
    f.run(u"create table t (a integer)"_s);
    QCOMPARE(f.engine->executeDirect(u"create table t (b integer)"_s).status, quint16(StatusSqlError));
    QCOMPARE(f.engine->lastError().nativeCode, -310);
    QCOMPARE(f.rows(u"select count(*) from syscolumns where tabid >= 100"_s), QStringList{u"1"_s});
    QCOMPARE(f.rows(u"select count(*) from systables where tabid >= 100"_s), QStringList{u"1"_s});
}

void TstCatalogDdl::dropTableRemovesItsRows()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"gone"_s);
    f.run(u"create table t (a integer, b char(2))"_s);
    f.run(u"drop table t"_s);
    QCOMPARE(f.rows(u"select count(*) from systables where tabid >= 100"_s), QStringList{u"0"_s});
    QCOMPARE(f.rows(u"select count(*) from syscolumns where tabid >= 100"_s), QStringList{u"0"_s});
    // A tabid is never given twice, not even after the last table is dropped.
    f.run(u"create table t (a integer)"_s);
    QCOMPARE(f.rows(u"select tabid from systables where tabname = 't'"_s), QStringList{u"101"_s});
}

void TstCatalogDdl::defaultsOfEveryKindAreStoredAndApplied()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"defs"_s);
    f.run(u"create table d (id integer, label char(20) default 'no name', qty integer default 0, "
          "made date default today, who char(10) default user, srv char(20) default dbservername, "
          "at datetime year to second default current year to second, gone varchar(5) default null)"_s);
    QCOMPARE(f.rows(u"select colno, type from sysdefaults where tabid = 100 order by colno"_s),
             (QStringList{u"2|L"_s, u"3|L"_s, u"4|T"_s, u"5|U"_s, u"6|S"_s, u"7|C"_s, u"8|N"_s}));
    // Text columns keep the literal as it is; other types put an encoded
    // form and a blank before it.
    QCOMPARE(f.rows(u"select b.default from sysdefaults b where tabid = 100 and colno = 2"_s),
             QStringList{u"no name"_s});
    const QString number = f.rows(u"select x.default from sysdefaults x where tabid = 100 and colno = 3"_s).value(0);
    QCOMPARE(number.section(u' ', 1), u"0"_s);
    QVERIFY(!number.section(u' ', 0, 0).isEmpty());

    f.run(u"insert into d (id) values (1)"_s);
    const QStringList row = f.rows(u"select label, qty, made, who, srv, gone from d"_s);
    QCOMPARE(row, QStringList{u"no name|0|%1|ann|testsrv|"_s.arg(QDate::currentDate().toString(u"MM/dd/yyyy"_s))});
    const QString at = f.rows(u"select at from d"_s).value(0);
    QCOMPARE(at.size(), 19);
    QVERIFY(at.startsWith(QDate::currentDate().toString(Qt::ISODate)));
    f.run(u"drop table d"_s);
    QCOMPARE(f.rows(u"select count(*) from sysdefaults"_s), QStringList{u"0"_s});
}

void TstCatalogDdl::outerJoinKeepsRowsWithoutAMatch()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"crm"_s);
    f.run(u"create table customer (id integer, name varchar(10))"_s);
    f.run(u"create table orders (customer integer, total integer)"_s);
    f.run(u"insert into customer values (1, 'ann')"_s);
    f.run(u"insert into customer values (2, 'bob')"_s);
    f.run(u"insert into orders values (1, 50)"_s);
    QCOMPARE(f.rows(u"select c.name, o.total from customer c, outer orders o "
                     "where c.id = o.customer and c.id > 0 order by c.name"_s),
             (QStringList{u"ann|50"_s, u"bob|"_s}));
}

void TstCatalogDdl::columnQueryOfTheBrowserAnswers()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"cols"_s);
    f.run(u"create table item (id serial, name char(10) default 'x y', price decimal(8,2))"_s);
    Query columns(f.database, u"select colname, coltype, collength, a.colno, b.type, b.default\n"
                              "from syscolumns a, outer sysdefaults b\n"
                              "where a.tabid=:tabid and a.tabid = b.tabid and a.colno = b.colno\n"
                              "order by a.colno"_s);
    columns.prepare();
    columns.setParameter(u"tabid"_s, 100);
    columns.open();
    QStringList rows;
    for (; !columns.atEnd(); columns.next()) {
        QStringList fields;
        for (int i = 0; i < 6; ++i)
            fields.append(columns.isNull(i) ? u"<null>"_s : columns.text(i));
        rows.append(fields.join(u'|'));
    }
    QCOMPARE(rows, (QStringList{u"id|262|4|1|<null>|<null>"_s, u"name|0|10|2|L|x y"_s,
                                u"price|5|2050|3|<null>|<null>"_s}));
}

void TstCatalogDdl::serialColumnsNumberTheRows()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"serials"_s);
    f.run(u"create table t (id serial, v char(5))"_s);
    f.run(u"create table s (n serial(100), v char(5))"_s);
    const auto insert = [&](const QString &sql) {
        f.run(sql);
        return f.engine->communicationArea().serialOrSecondary;
    };
    QCOMPARE(insert(u"insert into t values (0, 'a')"_s), 1);
    QCOMPARE(insert(u"insert into t (v) values ('b')"_s), 2);
    QCOMPARE(insert(u"insert into t values (10, 'c')"_s), 10);
    QCOMPARE(insert(u"insert into t values (0, 'd')"_s), 11);
    f.run(u"delete from t where id = 11"_s);
    // Deleting rows does not give their numbers out again.
    QCOMPARE(insert(u"insert into t values (0, 'e')"_s), 12);
    QCOMPARE(f.rows(u"select id, v from t order by id"_s),
             (QStringList{u"1|a"_s, u"2|b"_s, u"10|c"_s, u"12|e"_s}));
    QCOMPARE(insert(u"insert into s values (0, 'x')"_s), 100);
    f.run(u"drop table t"_s);
    f.run(u"create table t (id serial, v char(5))"_s);
    QCOMPARE(insert(u"insert into t values (0, 'again')"_s), 1);
}

QUOLL_TEST(TstCatalogDdl);
#include "tst_catalogddl.moc"
