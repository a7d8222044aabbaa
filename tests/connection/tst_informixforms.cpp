#include "embeddedfixture.h"
#include "testregistry.h"

#include "connection/embedded/server/informixerrors.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using quoll::testing::EmbeddedFixture;

namespace {

// The database every case starts from: a table with a SERIAL key, a
// NOT NULL column, a default and an index, and three rows.
const QStringList kShop{
    u"create table \"informix\".items (id serial not null, name char(20) not null, price decimal(8,2) default 0, "
    "placed date, primary key (id) constraint pk_items)"_s,
    u"create index ix_items_name on items (name)"_s,
    u"insert into items (name, price, placed) values ('pen', 1.50, '03/05/2003')"_s,
    u"insert into items (name, price, placed) values ('ink', 7.25, '12/31/2024')"_s,
    u"insert into items (name, price, placed) values ('pad', 3.00, null)"_s,
};

void startShop(EmbeddedFixture &f, const QStringList &more)
{
    f.useNewDatabase(u"shop"_s);
    for (const QString &sql : kShop + more)
        f.run(sql);
}

} // namespace

// Forms of real Informix scripts: each is accepted and leaves the rows a
// server's catalog would hold, or is refused with the code and place a
// user can act on.
class TstInformixForms : public QObject
{
    Q_OBJECT

private slots:
    void formLeavesItsRows_data();
    void formLeavesItsRows();
    void formIsRefusedAtItsPlace_data();
    void formIsRefusedAtItsPlace();
    void sequenceGivesItsValuesInOrder();
    void alteredTableKeepsItsRowsAndItsCatalog();
    void deepNestingRuns();
};

void TstInformixForms::formLeavesItsRows_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("rows");

    // Synonyms.
    QTest::newRow("synonym in the catalog")
        << QStringList{} << u"create synonym 'informix'.things for \"informix\".items"_s
        << u"select t.tabname, t.tabtype, s.servername, s.dbname, s.owner, s.tabname, s.btabid from systables t "
           "join syssyntable s on s.tabid = t.tabid"_s
        << QStringList{u"things|S|||||100"_s};
    QTest::newRow("private synonym") << QStringList{} << u"create private synonym mine for items"_s
                                     << u"select tabtype from systables where tabname = 'mine'"_s << QStringList{u"P"_s};
    QTest::newRow("synonym of another database's table")
        << QStringList{} << u"create synonym calendar for common_oltp:'informix'.calendar"_s
        << u"select s.servername, s.dbname, s.owner, s.tabname, s.btabid from syssyntable s"_s
        << QStringList{u"|common_oltp|informix|calendar|"_s};
    QTest::newRow("synonym on another server")
        << QStringList{} << u"create synonym far for central@hq:\"informix\".branch"_s
        << u"select s.servername, s.dbname, s.tabname from syssyntable s"_s << QStringList{u"hq|central|branch"_s};
    QTest::newRow("query through a synonym")
        << QStringList{u"create synonym things for items"_s} << u"select 1 from systables where tabid = 1"_s
        << u"select name from things where id = 2"_s << QStringList{u"ink"_s};
    QTest::newRow("insert through a synonym")
        << QStringList{u"create synonym things for items"_s}
        << u"insert into things (name, price) values ('cap', 2)"_s << u"select id, name from items where id > 3"_s
        << QStringList{u"4|cap"_s};
    QTest::newRow("update and delete through a synonym")
        << QStringList{u"create synonym things for items"_s, u"update things set price = 9 where id = 1"_s}
        << u"delete from \"informix\".things where things.id = 2"_s << u"select id, price from items order by id"_s
        << QStringList{u"1|9.00"_s, u"3|3.00"_s};
    QTest::newRow("drop synonym") << QStringList{u"create synonym things for items"_s} << u"drop synonym things"_s
                                  << u"select count(*) from systables where tabname = 'things'"_s
                                  << QStringList{u"0"_s};
    QTest::newRow("dropping the table drops its synonym")
        << QStringList{u"create synonym things for items"_s} << u"drop table items"_s
        << u"select count(*) from syssyntable"_s << QStringList{u"0"_s};

    // Sequences.
    QTest::newRow("sequence in the catalog")
        << QStringList{} << u"create sequence \"informix\".s increment by 2 start with 10 minvalue 1 maxvalue 99 cycle cache 5"_s
        << u"select t.tabname, t.tabtype, q.start_val, q.inc_val, q.min_val, q.max_val, q.cycle, q.cache from "
           "systables t join syssequences q on q.tabid = t.tabid"_s
        << QStringList{u"s|Q|10|2|1|99|1|5"_s};
    QTest::newRow("alter sequence")
        << QStringList{u"create sequence s"_s} << u"alter sequence s increment by 5 maxvalue 50 nocycle"_s
        << u"select inc_val, max_val, cycle from syssequences"_s << QStringList{u"5|50|0"_s};
    QTest::newRow("restart a sequence")
        << QStringList{u"create sequence s"_s, u"select s.nextval from items"_s} << u"alter sequence s restart with 40"_s
        << u"select s.nextval from items where id = 1"_s << QStringList{u"40"_s};
    QTest::newRow("rename sequence") << QStringList{u"create sequence s"_s} << u"rename sequence s to s2"_s
                                     << u"select s2.nextval from items where id = 1"_s << QStringList{u"1"_s};
    QTest::newRow("drop sequence") << QStringList{u"create sequence s"_s} << u"drop sequence s"_s
                                   << u"select count(*) from syssequences"_s << QStringList{u"0"_s};
    QTest::newRow("nextval in an insert")
        << QStringList{u"create sequence s start with 100"_s}
        << u"insert into items (id, name) values (s.nextval, 'box')"_s << u"select id from items where name = 'box'"_s
        << QStringList{u"100"_s};
    QTest::newRow("nextval through a synonym")
        << QStringList{u"create sequence s start with 7"_s, u"create synonym syn_s for s"_s}
        << u"select 1 from items where id = 1"_s << u"select \"informix\".syn_s.nextval from items where id = 1"_s
        << QStringList{u"7"_s};
    QTest::newRow("grant on a sequence") << QStringList{u"create sequence s"_s} << u"grant select on s to public"_s
                                         << u"select count(*) from syssequences"_s << QStringList{u"1"_s};

    // ALTER TABLE and RENAME.
    QTest::newRow("add before")
        << QStringList{} << u"alter table items add (sku char(8) before price)"_s
        << u"select c.colname, c.colno from syscolumns c where tabid = 100 order by colno"_s
        << QStringList{u"id|1"_s, u"name|2"_s, u"sku|3"_s, u"price|4"_s, u"placed|5"_s};
    QTest::newRow("add moves the default and the index parts")
        << QStringList{} << u"alter table items add (first_col integer before id)"_s
        << u"select (select colno from sysdefaults where tabid = 100), (select part1 from sysindexes where "
           "idxname = 'ix_items_name'), ncols, rowsize from systables where tabid = 100"_s
        << QStringList{u"4|3|5|37"_s};
    QTest::newRow("add not null with a default")
        << QStringList{} << u"alter table \"informix\".items add qty smallint default 1 not null"_s
        << u"select id, qty from items order by id"_s << QStringList{u"1|1"_s, u"2|1"_s, u"3|1"_s};
    QTest::newRow("add serial numbers the rows")
        << QStringList{u"create table t (a char(1))"_s, u"insert into t values ('x')"_s, u"insert into t values ('y')"_s}
        << u"alter table t add (n serial)"_s << u"select a, n from t order by n"_s << QStringList{u"x|1"_s, u"y|2"_s};
    QTest::newRow("modify to not null")
        << QStringList{u"update items set placed = today where placed is null"_s}
        << u"alter table \"informix\".items modify (placed date not null)"_s
        << u"select coltype, (select count(*) from sysconstraints c join syscoldepend d on d.constrid = c.constrid "
           "where c.constrtype = 'N' and d.tabid = 100 and d.colno = 4) from syscolumns where tabid = 100 and colno = 4"_s
        << QStringList{u"263|1"_s};
    QTest::newRow("modify the type and the row size")
        << QStringList{} << u"alter table items modify name varchar(40)"_s
        << u"select c.coltype, c.collength, t.rowsize from syscolumns c join systables t on t.tabid = c.tabid "
           "where c.tabid = 100 and c.colno = 2"_s
        << QStringList{u"13|40|54"_s};
    QTest::newRow("drop a column")
        << QStringList{} << u"alter table items drop (placed)"_s
        << u"select ncols, rowsize, (select count(*) from syscolumns where tabid = 100) from systables where tabid = 100"_s
        << QStringList{u"3|29|3"_s};
    QTest::newRow("several actions")
        << QStringList{} << u"alter table items add (a int), modify (price decimal(10,2)), drop placed"_s
        << u"select colname from syscolumns where tabid = 100 order by colno"_s
        << QStringList{u"id"_s, u"name"_s, u"price"_s, u"a"_s};
    QTest::newRow("lock mode and next size")
        << QStringList{} << u"alter table items lock mode (row), modify next size 64"_s
        << u"select locklevel, nextsize from systables where tabid = 100"_s << QStringList{u"R|64"_s};
    QTest::newRow("rename column")
        << QStringList{} << u"rename column \"informix\".items.name to title"_s
        << u"select colname from syscolumns where tabid = 100 and colno = 2"_s << QStringList{u"title"_s};
    QTest::newRow("rename a serial column keeps numbering")
        << QStringList{u"rename column items.id to item_id"_s} << u"insert into items (name) values ('cap')"_s
        << u"select max(item_id) from items"_s << QStringList{u"4"_s};
    QTest::newRow("rename table keeps numbering")
        << QStringList{u"rename table items to goods"_s} << u"insert into goods (name) values ('cap')"_s
        << u"select tabid, (select max(id) from goods) from systables where tabname = 'goods'"_s
        << QStringList{u"100|4"_s};

    // Arithmetic with UNITS and INTERVAL, and the everyday functions.
    QTest::newRow("extend plus units")
        << QStringList{} << u"select 1 from items where id = 1"_s
        << u"select EXTEND(MDY(3,5,2003), YEAR TO SECOND) + 11 UNITS HOUR + 13 UNITS MINUTE from items where id = 1"_s
        << QStringList{u"2003-03-05 11:13:00"_s};
    QTest::newRow("date minus units day")
        << QStringList{} << u"select 1 from items where id = 1"_s
        << u"select placed - 1 UNITS DAY, placed + 2 units month from items where id = 1"_s
        << QStringList{u"03/04/2003|05/05/2003"_s};
    QTest::newRow("current minus an interval literal")
        << QStringList{} << u"select 1 from items where id = 1"_s
        << u"select count(*) from items where (CURRENT year to fraction(3) - interval(180) day(9) to day) > "
           "extend(placed, year to fraction(3))"_s
        << QStringList{u"2"_s};
    QTest::newRow("string functions")
        << QStringList{} << u"select 1 from items where id = 1"_s
        << u"select lpad(id, 3, 0), rpad(name, 5, '*'), replace('abcabc', 'b'), replace(name, 'p', 'P'), "
           "instr('abcabc', 'c', 1, 2), initcap('big red pen') from items where id = 1"_s
        << QStringList{u"001|pen**|acac|Pen|6|Big Red Pen"_s};
    QTest::newRow("number functions")
        << QStringList{} << u"select 1 from items where id = 1"_s
        << u"select trunc(3.789, 2), trunc(-3.7), mod(7, 3), mod(-7, 3), abs(-2), round(2.567, 1), ceil(1.2), "
           "floor(-1.5) from items where id = 1"_s
        << QStringList{u"3.78|-3|1|-1|2|2.6|2|-2"_s};
    QTest::newRow("nvl and decode")
        << QStringList{} << u"select 1 from items where id = 1"_s
        << u"select nvl(placed, mdy(1,1,2000)), decode(id, 1, 'one', 3, 'three', 'other') from items order by id"_s
        << QStringList{u"03/05/2003|one"_s, u"12/31/2024|other"_s, u"01/01/2000|three"_s};
    QTest::newRow("to_char and to_date")
        << QStringList{} << u"select 1 from items where id = 1"_s
        << u"select to_char(placed, '%d.%m.%Y %A'), to_char(price, '$###,##&.&&'), "
           "to_char(to_date('31/01/2024 17:05', '%d/%m/%Y %H:%M'), '%Y-%m-%d %I:%M %p') from items where id = 1"_s
        << QStringList{u"05.03.2003 Wednesday|$      1.50|2024-01-31 05:05 PM"_s};
    QTest::newRow("to_date into a date column")
        << QStringList{} << u"update items set placed = to_date('2024-02-29', '%Y-%m-%d') where id = 3"_s
        << u"select placed from items where id = 3"_s << QStringList{u"02/29/2024"_s};

    // Grants.
    QTest::newRow("routine grant by signature")
        << QStringList{u"create procedure p(a char(10), b char(2)) end procedure"_s}
        << u"grant execute on procedure \"informix\".p (char,char) to \"public\" as \"informix\""_s
        << u"select grantor, grantee, procauth from sysprocauth where grantor = 'informix'"_s
        << QStringList{u"informix|public|e"_s};
    QTest::newRow("routine grant by another spelling")
        << QStringList{u"create function f(a integer, b decimal(8,2)) returning int; return 1; end function"_s}
        << u"grant execute on function f (int, dec) to clerk"_s
        << u"select grantee from sysprocauth where grantee = 'clerk'"_s << QStringList{u"clerk"_s};
    QTest::newRow("language grant") << QStringList{} << u"revoke usage on language SPL from public"_s
                                    << u"select count(*) from items"_s << QStringList{u"3"_s};

    // Storage clauses.
    QTest::newRow("fragment by expression")
        << QStringList{}
        << u"create table f (c char(8), id int) fragment by expression partition p1 (c >= '20180326') in dbs1, "
           "partition p2 remainder in dbs2"_s
        << u"select strategy, evalpos, exprtext, dbspace, partition from sysfragments where tabid = 101 order by evalpos"_s
        << QStringList{u"E|0|(c >= '20180326')|dbs1|p1"_s, u"E|1|remainder|dbs2|p2"_s};
    QTest::newRow("fragment by round robin")
        << QStringList{} << u"create table f (id int) fragment by round robin in d1, d2"_s
        << u"select strategy, dbspace, partition from sysfragments order by evalpos"_s
        << QStringList{u"R|d1|d1"_s, u"R|d2|d2"_s};
    QTest::newRow("expressions with mod and storage options after")
        << QStringList{}
        << u"create table f (id int) partition by expression (mod(id,4)=0) in dbs1, (mod(id,4)=1) in dbs2, "
           "remainder in dbs3 extent size 32 next size 16 lock mode row"_s
        << u"select count(*), max(t.fextsize), max(t.locklevel) from sysfragments f join systables t on t.tabid = f.tabid"_s
        << QStringList{u"3|32|R"_s};
    QTest::newRow("list fragments")
        << QStringList{}
        << u"create table f (state char(2)) fragment by list (state) partition p0 values ('KS', 'IL') in dbs0, "
           "partition p1 values (null) in dbs1, partition p2 remainder in dbs2"_s
        << u"select strategy, partition, exprtext from sysfragments order by evalpos"_s
        << QStringList{u"L|p0|values ('KS', 'IL')"_s, u"L|p1|values (null)"_s, u"L|p2|remainder"_s};
    QTest::newRow("other storage clauses")
        << QStringList{}
        << u"create table f (id int, doc text) in (dbs1, dbs2) put doc in (blobs) with crcols compressed"_s
        << u"select ncols from systables where tabname = 'f'"_s << QStringList{u"2"_s};
    QTest::newRow("index storage clauses")
        << QStringList{} << u"create index ix2 on items (placed desc) using btree in idx1 fillfactor 80"_s
        << u"select part1 from sysindexes where idxname = 'ix2'"_s << QStringList{u"-4"_s};
    QTest::newRow("constraint with index disabled")
        << QStringList{u"create table c (item integer, price decimal(8,2))"_s}
        << u"alter table c add constraint (foreign key (item) references \"informix\".items on delete cascade "
           "constraint \"informix\".fk_c index disabled)"_s
        << u"select constrname, constrtype from sysconstraints where tabid = 101"_s << QStringList{u"fk_c|R"_s};
    QTest::newRow("column constraint mode in create table")
        << QStringList{}
        << u"create table c (id integer unique constraint u_c enabled, n int not null constraint n_c disabled)"_s
        << u"select constrname, constrtype from sysconstraints where tabid = 101 order by constrid"_s
        << QStringList{u"u_c|U"_s, u"n_c|N"_s};
    QTest::newRow("owner of a built-in type")
        << QStringList{} << u"create table b (ok \"informix\".boolean default 't', n int)"_s
        << u"select coltype, collength, rowsize from syscolumns c join systables t on t.tabid = c.tabid "
           "where t.tabname = 'b' and colno = 1"_s
        << QStringList{u"41|1|6"_s};
}

void TstInformixForms::formLeavesItsRows()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, statement);
    QFETCH(QString, query);
    QFETCH(QStringList, rows);
    EmbeddedFixture f(u"informix"_s);
    startShop(f, setup);
    f.engine->executeDirect(statement);
    QCOMPARE(f.engine->lastError().context, QString());
    QCOMPARE(f.rows(query), rows);
}

void TstInformixForms::formIsRefusedAtItsPlace_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("offset");   // of the failing character, from 1

    const int notSupported = embedded::InformixCode::NotSupported;
    QTest::newRow("row type") << QStringList{} << u"create row type person_t (name varchar(30))"_s << notSupported << 1;
    QTest::newRow("distinct type") << QStringList{} << u"create distinct type money_t as decimal(8,2)"_s
                                   << notSupported << 1;
    QTest::newRow("cast") << QStringList{} << u"create implicit cast (char as int)"_s << notSupported << 1;
    QTest::newRow("collection column") << QStringList{} << u"create table t (id int, tags set(varchar(20) not null))"_s
                                       << notSupported << 30;
    QTest::newRow("row column") << QStringList{} << u"create table t (id int, p row(a int))"_s << notSupported << 27;
    QTest::newRow("table of another database") << QStringList{} << u"select * from otherdb:systables"_s
                                               << notSupported << 15;
    QTest::newRow("table on another server") << QStringList{} << u"select * from stores@far:\"informix\".items"_s
                                             << notSupported << 15;
    QTest::newRow("use of a remote synonym")
        << QStringList{u"create synonym cal for common_oltp:'informix'.calendar"_s} << u"select * from cal"_s
        << notSupported << 15;
    QTest::newRow("alter fragment") << QStringList{} << u"alter fragment on table items init in dbs2"_s
                                    << notSupported << 1;
    QTest::newRow("external table")
        << QStringList{} << u"create external table e (id int) using (datafiles ('disk:/tmp/e.unl'))"_s
        << notSupported << 1;
    QTest::newRow("drop a keyed column") << QStringList{} << u"alter table items drop id"_s << notSupported << 24;
    QTest::newRow("drop an indexed column") << QStringList{} << u"alter table items drop (name)"_s
                                            << notSupported << 25;
    QTest::newRow("add a column that exists") << QStringList{} << u"alter table items add (name char(2))"_s
                                              << int(embedded::InformixCode::ColumnAlreadyExists) << 24;
    QTest::newRow("add before a missing column") << QStringList{} << u"alter table items add (x int before nosuch)"_s
                                                 << int(embedded::InformixCode::ColumnNotFound) << 37;
    QTest::newRow("modify a missing column") << QStringList{} << u"alter table items modify (nosuch int)"_s
                                             << int(embedded::InformixCode::ColumnNotFound) << 27;
    QTest::newRow("primary key on an added column")
        << QStringList{} << u"alter table items add (code int primary key)"_s << notSupported << 24;
    QTest::newRow("constraints among column actions")
        << QStringList{} << u"alter table items add (x int), add constraint unique (x)"_s << notSupported << 32;
    QTest::newRow("alter a table that is not there") << QStringList{} << u"alter table nosuch add (x int)"_s
                                                     << int(embedded::InformixCode::TableNotInDatabase) << 13;
    QTest::newRow("rename to a name taken") << QStringList{u"create table t (a int)"_s}
                                            << u"rename table items to t"_s
                                            << int(embedded::InformixCode::TableAlreadyExists) << 23;
    QTest::newRow("rename a missing column") << QStringList{} << u"rename column items.nosuch to x"_s
                                             << int(embedded::InformixCode::ColumnNotFound) << 15;
    QTest::newRow("currval before nextval") << QStringList{u"create sequence s"_s}
                                            << u"select s.currval from items"_s
                                            << int(embedded::InformixCode::SequenceValueUndefined) << 0;
    QTest::newRow("nextval of no sequence") << QStringList{} << u"select nosuch.nextval from items"_s
                                            << int(embedded::InformixCode::TableNotInDatabase) << 0;
    // Found by fuzzing: the dialect read the first argument of NVL() without one.
    QTest::newRow("nvl without arguments") << QStringList{} << u"select nvl() from items"_s
                                           << int(embedded::InformixCode::RoutineNotResolved) << 8;
    QTest::newRow("cardinality") << QStringList{} << u"select cardinality(name) from items"_s << notSupported << 0;
    QTest::newRow("trigger with a statement after it")
        << QStringList{} << u"create trigger tr insert on items (update items set price = 0); select 1 from items"_s
        << int(embedded::InformixCode::SyntaxError) << 63;
    QTest::newRow("fragment strategy unknown") << QStringList{} << u"create table f (id int) fragment by hash (id) in d1"_s
                                               << int(embedded::InformixCode::SyntaxError) << 37;
}

void TstInformixForms::formIsRefusedAtItsPlace()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, statement);
    QFETCH(int, code);
    QFETCH(int, offset);
    EmbeddedFixture f(u"informix"_s);
    startShop(f, setup);
    f.engine->executeDirect(statement);
    QCOMPARE(f.engine->lastError().nativeCode, code);
    QCOMPARE(f.engine->communicationArea().errorOffset, offset);
    // Nothing of a refused statement stays behind.
    QCOMPARE(f.rows(u"select count(*), max(ncols) from systables where tabid = 100"_s), QStringList{u"1|4"_s});
}

void TstInformixForms::sequenceGivesItsValuesInOrder()
{
    EmbeddedFixture f(u"informix"_s);
    startShop(f, {u"create sequence up increment by 2 start with 1 maxvalue 5"_s,
                  u"create sequence round_ increment by -1 start with 2 minvalue 1 maxvalue 3 cycle"_s});
    QStringList values;
    for (int i = 0; i < 3; ++i)
        values += f.rows(u"select up.nextval, up.currval, round_.nextval from items where id = 1"_s);
    QCOMPARE(values, (QStringList{u"1|1|2"_s, u"3|3|1"_s, u"5|5|3"_s}));
    // Past MAXVALUE without CYCLE: refused, and CURRVAL stays.
    f.engine->executeDirect(u"select up.nextval from items where id = 1"_s);
    QCOMPARE(f.engine->lastError().nativeCode, int(embedded::InformixCode::SequenceExhausted));
    QCOMPARE(f.rows(u"select up.currval from items where id = 1"_s), QStringList{u"5"_s});
    // A value given out is not taken back by a rollback.
    f.run(u"begin work"_s);
    f.rows(u"select round_.nextval from items where id = 1"_s);
    f.run(u"rollback work"_s);
    QCOMPARE(f.rows(u"select round_.currval from items where id = 1"_s), QStringList{u"2"_s});
}

void TstInformixForms::alteredTableKeepsItsRowsAndItsCatalog()
{
    EmbeddedFixture f(u"informix"_s);
    startShop(f, {u"create table orders (id serial, item integer, qty int check (qty > 0), primary key (id))"_s,
                  u"alter table orders add constraint (foreign key (item) references items constraint fk_item)"_s,
                  u"insert into orders (item, qty) values (2, 5)"_s,
                  u"create view cheap as select id, name from items where price < 5"_s});
    f.run(u"alter table items add (sku char(8) default 'none' before name), modify (price decimal(10,3) not null), "
          "drop placed"_s);
    // The rows, the default and the numbering.
    QCOMPARE(f.rows(u"select id, sku, name, price from items order by id"_s),
             (QStringList{u"1|none|pen|1.500"_s, u"2|none|ink|7.250"_s, u"3|none|pad|3.000"_s}));
    f.run(u"insert into items (name, price) values ('cap', 2)"_s);
    QCOMPARE(f.rows(u"select id, sku from items where name = 'cap'"_s), QStringList{u"4|none"_s});
    // Keys, NOT NULL and references still hold.
    f.engine->executeDirect(u"insert into items (id, name, price) values (1, 'dup', 1)"_s);
    QCOMPARE(f.engine->lastError().nativeCode, int(embedded::InformixCode::UniqueConstraintViolated));
    f.engine->executeDirect(u"insert into items (name) values ('free')"_s);
    QCOMPARE(f.engine->lastError().nativeCode, int(embedded::InformixCode::NullIntoNotNull));
    f.engine->executeDirect(u"delete from items where id = 2"_s);
    QVERIFY(f.engine->lastError().nativeCode != 0);
    // The catalog: columns in order, the default moved, the key's and the
    // index's parts renumbered, the view still there.
    QCOMPARE(f.rows(u"select colname, colno, coltype from syscolumns where tabid = 100 order by colno"_s),
             (QStringList{u"id|1|262"_s, u"sku|2|0"_s, u"name|3|256"_s, u"price|4|261"_s}));
    // MODIFY states the column anew: the price has no default now.
    QCOMPARE(f.rows(u"select colno, type from sysdefaults where tabid = 100 order by colno"_s),
             QStringList{u"2|L"_s});
    QCOMPARE(f.rows(u"select idxname, part1 from sysindexes where tabid = 100 order by idxname"_s),
             (QStringList{u" 100_3|1"_s, u"ix_items_name|3"_s}));
    QCOMPARE(f.rows(u"select ncols, rowsize from systables where tabid = 100"_s), QStringList{u"4|39"_s});
    QCOMPARE(f.rows(u"select name from cheap order by id"_s), (QStringList{u"pen"_s, u"pad"_s, u"cap"_s}));
}

void TstInformixForms::deepNestingRuns()
{
    EmbeddedFixture f(u"informix"_s);
    startShop(f, {});
    // 200 levels as listings write them: OR chains nested to the left,
    // AND chains to the right, sums in parentheses.
    QString orChain = u"(id = 0)"_s;
    for (int i = 1; i <= 200; ++i)
        orChain = u"(%1 OR (id = %2))"_s.arg(orChain).arg(i);
    QString andChain = u"(id > 0)"_s;
    for (int i = 0; i < 200; ++i)
        andChain = u"((id < %1) AND %2)"_s.arg(1000 + i).arg(andChain);
    QString sum = u"id"_s;
    for (int i = 0; i < 200; ++i)
        sum = u"(%1 + 1)"_s.arg(sum);
    f.run(u"create view deep (id) as select id from items where "_s + orChain);
    QCOMPARE(f.rows(u"select count(*) from deep"_s), QStringList{u"3"_s});
    QCOMPARE(f.rows(u"select count(*) from items where "_s + andChain), QStringList{u"3"_s});
    QCOMPARE(f.rows(u"select "_s + sum + u" from items where id = 1"_s), QStringList{u"201"_s});
    QCOMPARE(f.rows(u"select "_s + QString(250, u'(') + u"name"_s + QString(250, u')') + u" from items where id = 1"_s),
             QStringList{u"pen"_s});
    // Parentheses that all matter: a clear refusal, never a failure of the
    // storage engine.
    QString needed = u"id"_s;
    for (int i = 0; i < 200; ++i)
        needed = u"(2 * (1 + %1))"_s.arg(needed);
    f.engine->executeDirect(u"select "_s + needed + u" from items"_s);
    QCOMPARE(f.engine->lastError().nativeCode, int(embedded::InformixCode::NestedTooDeeply));
}

QUOLL_TEST(TstInformixForms);
#include "tst_informixforms.moc"
