#include "embeddedfixture.h"
#include "testregistry.h"

#include "connection/engine/dateliterals.h"

#include <QDate>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::EmbeddedFixture;

// The catalog writes of a statement, line by line: the storage engine's SQL
// with its bound values, in the order the server writes them. "$TODAY" in an
// expected line stands for today's day number.
class TstCatalogWrites : public QObject
{
    Q_OBJECT

private slots:
    void statementWritesTheseLines_data();
    void statementWritesTheseLines();
    void failedStatementKeepsNoWrites();
};

void TstCatalogWrites::statementWritesTheseLines_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("lines");
    const QStringList shop{u"create database shop with log"_s, u"create table parent (id integer primary key)"_s};
    QTest::newRow("create role") << shop << u"create role clerks"_s << QStringList{
           u"insert into sysusers (username, usertype, priority, password, defrole) values (?, 'G', 0, null, "
           "null) | clerks"_s};
    QTest::newRow("drop role") << shop + QStringList{u"create role clerks"_s} << u"drop role clerks"_s << QStringList{
           u"delete from sysroleauth where rolename = ? or grantee = ? | clerks | clerks"_s,
           u"update sysusers set defrole = null where defrole = ? | clerks"_s,
           u"delete from sysusers where username = ? | clerks"_s};
    QTest::newRow("grant connect") << shop << u"grant connect to anna, bob"_s << QStringList{
           u"insert into sysusers (username, usertype, priority, password, defrole) values (?, ?, 0, null, "
           "null) | anna | C"_s,
           u"insert into sysusers (username, usertype, priority, password, defrole) values (?, ?, 0, null, "
           "null) | bob | C"_s};
    QTest::newRow("create table") << shop << u"create table orders (id serial, parent integer references parent, placed date default today, "
                                                "total decimal(8,2) default 0 not null, check (total >= 0), unique (parent, placed))"_s
                                  << QStringList{
           u"insert or replace into quoll_catalog_ids values (?, ?) | tabid | 101"_s,
           u"insert into syscolumns (colname, tabid, colno, coltype, collength, colmin, colmax, extended_id, "
           "seclabelid, colattr) values (?, ?, ?, ?, ?, null, null, ?, 0, 0) | id | 101 | 1 | 262 | 4 | 0"_s,
           u"insert into syscolumns (colname, tabid, colno, coltype, collength, colmin, colmax, extended_id, "
           "seclabelid, colattr) values (?, ?, ?, ?, ?, null, null, ?, 0, 0) | parent | 101 | 2 | 2 | 4 | 0"_s,
           u"insert into sysdefaults (tabid, colno, type, \"default\", class) values (?, ?, ?, ?, 'T') | 101 "
           "| 3 | T | NULL"_s,
           u"insert into syscolumns (colname, tabid, colno, coltype, collength, colmin, colmax, extended_id, "
           "seclabelid, colattr) values (?, ?, ?, ?, ?, null, null, ?, 0, 0) | placed | 101 | 3 | 7 | 4 | 0"_s,
           u"insert into sysdefaults (tabid, colno, type, \"default\", class) values (?, ?, ?, ?, 'T') | 101 "
           "| 4 | L | MA 0"_s,
           u"insert into syscolumns (colname, tabid, colno, coltype, collength, colmin, colmax, extended_id, "
           "seclabelid, colattr) values (?, ?, ?, ?, ?, null, null, ?, 0, 0) | total | 101 | 4 | 261 | 2050 "
           "| 0"_s,
           u"create table if not exists quoll_serials (tabname varchar(128), colname varchar(128), last "
           "integer, primary key (tabname, colname))"_s,
           u"insert or replace into quoll_serials values (?, ?, ?) | orders | id | 0"_s,
           u"create trigger \"quoll_serial_orders_id\" after insert on \"orders\" begin update quoll_serials "
           "set last = max(last, coalesce(nullif(new.\"id\", 0), last + 1)) where tabname = 'orders' and "
           "colname = 'id'; update \"orders\" set \"id\" = (select last from quoll_serials where tabname = "
           "'orders' and colname = 'id') where rowid = new.rowid and coalesce(new.\"id\", 0) = 0; end"_s,
           u"insert into systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, "
           "created, version, tabtype, locklevel, npused, fextsize, nextsize, flags, type_xid, am_id, "
           "pagesize) values (?, ?, 0, ?, ?, ?, 0, 0, ?, 0, 'T', ?, 0, ?, ?, 0, 0, 0, 2048) | orders | "
           "tester | 101 | 17 | 4 | $TODAY | P | 16 | 16"_s,
           u"insert into sysconstraints (constrid, constrname, owner, tabid, constrtype, idxname) values (?, "
           "?, ?, ?, ?, ?) | 3 | n101_3 | tester | 101 | N | NULL"_s,
           u"insert into syscoldepend (constrid, tabid, colno) values (?, ?, ?) | 3 | 101 | 4"_s,
           u"insert into sysconstraints (constrid, constrname, owner, tabid, constrtype, idxname) values (?, "
           "?, ?, ?, ?, ?) | 4 | c101_4 | tester | 101 | C | NULL"_s,
           u"insert into syscoldepend (constrid, tabid, colno) values (?, ?, ?) | 4 | 101 | 4"_s,
           u"insert into sysindexes (idxname, owner, tabid, idxtype, clustered, part1, part2, part3, part4, "
           "part5, part6, part7, part8, part9, part10, part11, part12, part13, part14, part15, part16, "
           "levels, leaves, nunique, clust) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
           "?, ?, ?, 0, 0, 0, 0) |  101_5 | tester | 101 | U |   | 2 | 3 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | "
           "0 | 0 | 0 | 0 | 0 | 0"_s,
           u"insert into sysconstraints (constrid, constrname, owner, tabid, constrtype, idxname) values (?, "
           "?, ?, ?, ?, ?) | 5 | u101_5 | tester | 101 | U |  101_5"_s,
           u"insert into sysindexes (idxname, owner, tabid, idxtype, clustered, part1, part2, part3, part4, "
           "part5, part6, part7, part8, part9, part10, part11, part12, part13, part14, part15, part16, "
           "levels, leaves, nunique, clust) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
           "?, ?, ?, 0, 0, 0, 0) |  101_2 | tester | 101 | D |   | 2 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | "
           "0 | 0 | 0 | 0 | 0 | 0"_s,
           u"insert into sysconstraints (constrid, constrname, owner, tabid, constrtype, idxname) values (?, "
           "?, ?, ?, ?, ?) | 2 | r101_2 | tester | 101 | R |  101_2"_s,
           u"insert into sysreferences (constrid, \"primary\", ptabid, updrule, delrule, matchtype, pendant) "
           "values (?, ?, ?, 'R', ?, 'N', 'N') | 2 | 1 | 100 | R"_s,
           u"create trigger \"quoll_ref_2_insert\" before insert on \"orders\" when new.\"parent\" is not "
           "null and not exists (select 1 from \"parent\" where \"id\" = new.\"parent\") begin select "
           "raise(abort, 'quoll:-691:tester.r101_2'); end"_s,
           u"create trigger \"quoll_ref_2_update\" before update of \"parent\" on \"orders\" when "
           "new.\"parent\" is not null and not exists (select 1 from \"parent\" where \"id\" = "
           "new.\"parent\") begin select raise(abort, 'quoll:-691:tester.r101_2'); end"_s,
           u"create trigger \"quoll_ref_2_parentupdate\" before update of \"id\" on \"parent\" when "
           "(old.\"id\" is not new.\"id\") and exists (select 1 from \"orders\" where \"parent\" = "
           "old.\"id\") begin select raise(abort, 'quoll:-692:tester.r101_2'); end"_s,
           u"create trigger \"quoll_ref_2_delete\" before delete on \"parent\" when exists (select 1 from "
           "\"orders\" where \"parent\" = old.\"id\") begin select raise(abort, "
           "'quoll:-692:tester.r101_2'); end"_s,
           u"insert or replace into quoll_catalog_ids values (?, ?) | constrid | 5"_s,
           u"update systables set nindexes = (select count(*) from sysindexes where tabid = ?) where tabid = "
           "? | 101 | 101"_s};
    QTest::newRow("drop table with its view") << shop + QStringList{u"create view v as select id from parent"_s} << u"drop table parent"_s << QStringList{
           u"delete from syscolumns where tabid = ? | 100"_s,
           u"delete from sysdefaults where tabid = ? and class = 'T' | 100"_s,
           u"delete from sysindexes where tabid = ? | 100"_s,
           u"delete from sysreferences where constrid in (select constrid from sysconstraints where tabid = "
           "?) | 100"_s,
           u"delete from sysconstraints where tabid = ? | 100"_s,
           u"delete from systrigbody where trigid in (select trigid from systriggers where tabid = ?) | 100"_s,
           u"delete from systriggers where tabid = ? | 100"_s,
           u"delete from sysfragments where tabid = ? | 100"_s,
           u"delete from syscoldepend where tabid = ? | 100"_s,
           u"delete from systables where tabid = ? | 100"_s,
           u"drop view if exists v"_s,
           u"delete from syscolumns where tabid = ? | 101"_s,
           u"delete from sysviews where tabid = ? | 101"_s,
           u"delete from systrigbody where trigid in (select trigid from systriggers where tabid = ?) | 101"_s,
           u"delete from systriggers where tabid = ? | 101"_s,
           u"delete from syssyntable where tabid = ? | 101"_s,
           u"delete from systables where tabid = ? | 101"_s};
    QTest::newRow("create index") << shop << u"create unique index ix on parent (id desc)"_s << QStringList{
           u"insert into sysindexes (idxname, owner, tabid, idxtype, clustered, part1, part2, part3, part4, "
           "part5, part6, part7, part8, part9, part10, part11, part12, part13, part14, part15, part16, "
           "levels, leaves, nunique, clust) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
           "?, ?, ?, 0, 0, 0, 0) | ix | tester | 100 | U |   | -1 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | "
           "0 | 0 | 0 | 0 | 0"_s,
           u"update systables set nindexes = (select count(*) from sysindexes where tabid = ?) where tabid = "
           "? | 100 | 100"_s};
    QTest::newRow("alter table add constraint") << shop << u"alter table parent add constraint (check (id > 0) constraint positive)"_s << QStringList{
           u"create trigger \"quoll_added_2_0_insert\" before insert on \"parent\" when not (new.\"id\" > 0) "
           "begin select raise(abort, 'quoll:-530:tester.positive'); end"_s,
           u"create trigger \"quoll_added_2_0_update\" before update on \"parent\" when not (new.\"id\" > 0) "
           "begin select raise(abort, 'quoll:-530:tester.positive'); end"_s,
           u"insert into sysconstraints (constrid, constrname, owner, tabid, constrtype, idxname) values (?, "
           "?, ?, ?, ?, ?) | 2 | positive | tester | 100 | C | NULL"_s,
           u"insert into syscoldepend (constrid, tabid, colno) values (?, ?, ?) | 2 | 100 | 1"_s,
           u"insert or replace into quoll_catalog_ids values (?, ?) | constrid | 2"_s,
           u"update systables set nindexes = (select count(*) from sysindexes where tabid = ?) where tabid = "
           "? | 100 | 100"_s};
    QTest::newRow("create view") << shop << u"create view v (n) as select id from parent"_s << QStringList{
           u"insert or replace into quoll_catalog_ids values (?, ?) | tabid | 101"_s,
           u"insert into syscolumns (colname, tabid, colno, coltype, collength, colmin, colmax, extended_id, "
           "seclabelid, colattr) values (?, ?, ?, ?, ?, null, null, ?, 0, 0) | n | 101 | 1 | 2 | 4 | 0"_s,
           u"insert into systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, "
           "created, version, tabtype, locklevel, npused, fextsize, nextsize, flags, type_xid, am_id, "
           "pagesize) values (?, ?, 0, ?, ?, ?, 0, 0, ?, 0, 'V', 'B', 0, 0, 0, 0, 0, 0, 0) | v | tester | "
           "101 | 4 | 1 | $TODAY"_s,
           u"insert into sysviews (tabid, seqno, viewtext) values (?, ?, ?) | 101 | 0 | create view v (n) as "
           "select id from parent"_s};
    QTest::newRow("create procedure") << shop << u"create procedure add1(a integer) returning integer; "
                                                   "return a + 1; end procedure"_s
                                  << QStringList{
           u"insert or replace into quoll_catalog_ids values (?, ?) | procid | 1"_s,
           u"insert into sysprocedures (procname, owner, procid, mode, retsize, symsize, datasize, codesize, "
           "numargs, isproc, specificname, externalname, paramstyle, langid, paramtypes, variant, client, "
           "handlesnulls, percallcost, commutator, negator, selfunc, internal, class, stack) values (?, ?, "
           "?, ?, 0, 0, 0, 0, ?, ?, null, null, 'I', null, ?, 't', 'f', 't', 0, null, null, null, 'f', "
           "null, null) | add1 | tester | 1 | O | 1 | t | integer"_s,
           u"insert into sysprocbody (procid, datakey, seqno, data) values (?, ?, ?, ?) | 1 | T | 0 | create "
           "procedure add1(a integer) returning integer; return a + 1; end procedure"_s,
           u"insert into sysprocauth (grantor, grantee, procid, procauth) values (?, 'public', ?, 'e') | "
           "tester | 1"_s};
    QTest::newRow("create trigger") << shop << u"create trigger tr insert on parent referencing new as n for each row "
                                                 "(insert into parent values (n.id + 1))"_s
                                  << QStringList{
           u"insert or replace into quoll_catalog_ids values (?, ?) | trigid | 1"_s,
           u"insert into systriggers (trigid, trigname, owner, tabid, event, old, new, mode, collation) "
           "values (?, ?, ?, ?, ?, ?, ?, null, null) | 1 | tr | tester | 100 | I | NULL | n"_s,
           u"insert into systrigbody (trigid, datakey, seqno, data) values (?, ?, ?, ?) | 1 | D | 0 | create "
           "trigger tr insert on parent referencing new as n "_s,
           u"insert into systrigbody (trigid, datakey, seqno, data) values (?, ?, ?, ?) | 1 | A | 0 | for "
           "each row (insert into parent values (n.id + 1))"_s};
    QTest::newRow("update statistics") << shop << u"update statistics for table parent"_s << QStringList{
           u"update systables set nrows = ? where tabid = ? | 0 | 100"_s,
           u"update sysindexes set nunique = ? where idxname = ? and tabid = ? | 0 |  100_1 | 100"_s};
}

void TstCatalogWrites::statementWritesTheseLines()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, statement);
    QFETCH(QStringList, lines);
    EmbeddedFixture f;
    for (const QString &sql : setup)
        f.run(sql);
    f.run(statement);
    QStringList actual;
    for (const connection::embedded::CatalogWrite &w : f.engine->lastCatalogWrites())
        actual.append(w.toString());
    const QString today = connection::storedDate(QDate::currentDate());
    for (QString &line : lines)
        line.replace(u"$TODAY"_s, today);
    for (qsizetype i = 0; i < std::max(lines.size(), actual.size()); ++i)
        QVERIFY2(lines.value(i) == actual.value(i),
                 qPrintable(u"line %1\n   expected: %2\n   actual:   %3\nall:\n%4"_s.arg(i + 1).arg(lines.value(i),
                            actual.value(i), actual.join(u'\n'))));
}

void TstCatalogWrites::failedStatementKeepsNoWrites()
{
    EmbeddedFixture f;
    f.run(u"create database shop"_s);
    f.run(u"create table t (id integer)"_s);
    QVERIFY(!f.engine->lastCatalogWrites().empty());
    // A second table of the name fails in the storage engine: no catalog
    // row was written, and none is reported.
    QCOMPARE(f.engine->executeDirect(u"create table t (id integer)"_s).status, connection::StatusSqlError);
    QVERIFY(f.engine->lastCatalogWrites().empty());
    QCOMPARE(f.rows(u"select count(*) from systables where tabname = 't'"_s), QStringList{u"1"_s});
}

QUOLL_TEST(TstCatalogWrites);
#include "tst_catalogwrites.moc"
