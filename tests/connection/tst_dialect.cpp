#include "embeddedfixture.h"
#include "testregistry.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/rewrite/outerjoin.h"
#include "connection/embedded/rewrite/ownernames.h"
#include "connection/engine/tabledataset.h"

#include <QDate>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using quoll::testing::EmbeddedFixture;

namespace {

// Customers, their orders, the orders' items and the customers' calls.
void fillShop(EmbeddedFixture &f)
{
    f.useNewDatabase(u"shop"_s);
    f.run(u"create table customer (id integer, name char(10), city varchar(10))"_s);
    f.run(u"create table orders (id integer, customer integer, placed date, total integer)"_s);
    f.run(u"create table items (order_id integer, item varchar(10))"_s);
    f.run(u"create table calls (customer integer, code char(1))"_s);
    f.run(u"insert into customer values (1, 'ann', 'Oslo')"_s);
    f.run(u"insert into customer values (2, 'bob', 'Rome')"_s);
    f.run(u"insert into customer values (3, 'cy', 'Oslo')"_s);
    f.run(u"insert into orders values (10, 1, '01/15/2024', 50)"_s);
    f.run(u"insert into orders (id, customer, placed, total) values (11, 1, \"12/31/2024\", 70)"_s);
    f.run(u"insert into orders values (12, 2, mdy(2, 29, 2024), 20)"_s);
    f.run(u"insert into items values (10, 'pen')"_s);
    f.run(u"insert into items values (10, 'ink')"_s);
    f.run(u"insert into items values (12, 'cup')"_s);
    f.run(u"insert into calls values (1, 'B')"_s);
    f.run(u"insert into calls values (3, 'D')"_s);
    f.run(u"create table notes (placed char(10))"_s);
    f.run(u"insert into notes values ('12/31/2024')"_s);
}

} // namespace

// The Informix SQL of every day on the embedded server: OUTER joins, the
// Informix functions, dates in the user's form and their arithmetic,
// SELECT ... INTO TEMP, and the errors of what lies outside the dialect.
class TstDialect : public QObject
{
    Q_OBJECT

private slots:
    void acceptedFormsGiveTheirRows_data();
    void acceptedFormsGiveTheirRows();
    void refusedFormsFailAtTheirWord_data();
    void refusedFormsFailAtTheirWord();
    void dateValuesAreDayNumbersShownInTheUsersForm();
    void datesBoundToPreparedStatementsAreConverted();
    void tableDatasetEditsDates();
    void selectIntoTempMakesATable();
    void catalogDatesCompareWithToday();
    void dayNumbersAreThoseOfInformix_data();
    void dayNumbersAreThoseOfInformix();
    void outerJoinTextMapsBackToTheStatement_data();
    void outerJoinTextMapsBackToTheStatement();
    void dateFormatsFollowDbdate_data();
    void dateFormatsFollowDbdate();
    void ownersComeOffTableNamesOnly_data();
    void ownersComeOffTableNamesOnly();
    void ownerQualifiedNamesGiveTheirRows_data();
    void ownerQualifiedNamesGiveTheirRows();
    void ownerQualifiedNamesFailAtTheirWord_data();
    void ownerQualifiedNamesFailAtTheirWord();
    void tablesMadeAndChangedWithTheirOwner();
    void serialOfAnOwnerQualifiedInsert();
};

void TstDialect::acceptedFormsGiveTheirRows_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("rows");
    const auto row = [](const char *name, const char *sql, QStringList rows) {
        QTest::newRow(name) << QString::fromUtf8(sql) << rows;
    };
    // OUTER joins.
    row("outer table", "select c.name, o.id from customer c, outer orders o where c.id = o.customer order by 1, 2",
        {u"ann|10"_s, u"ann|11"_s, u"bob|12"_s, u"cy|"_s});
    row("subordinate filter joins", "select c.name, o.id from customer c, outer orders o "
        "where c.id = o.customer and o.total > 60 order by 1",
        {u"ann|11"_s, u"bob|"_s, u"cy|"_s});
    row("dominant filter stays", "select c.name, o.id from customer c, outer orders o "
        "where c.city = 'Oslo' and c.id = o.customer order by 1, 2",
        {u"ann|10"_s, u"ann|11"_s, u"cy|"_s});
    row("unqualified subordinate column", "select name, total from customer c, outer orders o "
        "where c.id = o.customer and total < 30 order by 1",
        {u"ann|"_s, u"bob|20"_s, u"cy|"_s});
    row("nested outer group", "select c.name, o.id, i.item from customer c, outer (orders o, outer items i) "
        "where c.id = o.customer and o.id = i.order_id order by 1, 2, 3",
        {u"ann|10|ink"_s, u"ann|10|pen"_s, u"ann|11|"_s, u"bob|12|cup"_s, u"cy||"_s});
    row("nested group with its own filter", "select c.name, o.id, i.item from customer c, outer (orders o, outer items i) "
        "where c.id = o.customer and o.id = i.order_id and i.item = 'pen' order by 1, 2",
        {u"ann|10|pen"_s, u"ann|11|"_s, u"bob|12|"_s, u"cy||"_s});
    row("two subordinate tables", "select c.name, o.id, x.code from customer c, outer orders o, outer calls x "
        "where c.id = o.customer and c.id = x.customer order by 1, 2",
        {u"ann|10|B"_s, u"ann|11|B"_s, u"bob|12|"_s, u"cy||D"_s});
    row("outer without aliases", "select customer.name, orders.id from customer, outer orders "
        "where customer.id = orders.customer and orders.id = 12 order by 1",
        {u"ann|"_s, u"bob|12"_s, u"cy|"_s});
    row("outer joins in a union", "select c.name, o.id from customer c, outer orders o where c.id = o.customer and o.id = 12 "
        "union all select c.name, x.code from customer c, outer calls x where c.id = x.customer and x.code = 'D' order by 1, 2",
        {u"ann|"_s, u"ann|"_s, u"bob|"_s, u"bob|12"_s, u"cy|"_s, u"cy|D"_s});
    row("outer table listed first", "select c.name, x.code from outer calls x, customer c "
        "where x.customer = c.id order by 1", {u"ann|B"_s, u"bob|"_s, u"cy|D"_s});
    // Functions.
    row("nvl", "select c.name, nvl(o.total, 0) from customer c, outer orders o "
        "where c.id = o.customer and o.id = 12 order by 1", {u"ann|0"_s, u"bob|20"_s, u"cy|0"_s});
    row("decode with default", "select decode(city, 'Oslo', 'N', 'Rome', 'S', '?') from customer order by id",
        {u"N"_s, u"S"_s, u"N"_s});
    row("decode without default", "select decode(id, 1, 'one', 2, 'two') from customer order by id",
        {u"one"_s, u"two"_s, u""_s});
    row("decode of null", "select decode(null, 1, 'one', null, 'none', 'other'), nvl(null, 'x') from customer where id = 1",
        {u"none|x"_s});
    row("mdy", "select mdy(2, 29, 2024), mdy(12, 31, 1899) + 1 from customer where id = 1", {u"02/29/2024|01/01/1900"_s});
    row("trim", "select trim('  ab  ') || '|' || trim(leading 'x' from 'xxabxx') || '|' || trim(trailing 'x' from 'xxabxx')"
        " || '|' || trim(both 'x' from 'xxabxx') || '|' || trim(leading from '  ab') from customer where id = 1",
        {u"ab|abxx|xxab|ab|ab"_s});
    row("lengths", "select length('ab  '), char_length('ab  '), octet_length('\xc3\xa9'), length(name) from customer where id = 1",
        {u"2|4|2|3"_s});
    row("substrings", "select substr('abcdef', 2, 3), substring('abcdef' from 2 for 3), substring('abcdef' from 3) "
        "from customer where id = 1", {u"bcd|bcd|cdef"_s});
    row("subscripts", "select name[1,2], c.city[2], c.name from customer c where c.name[1,1] = 'b'", {u"bo|o|bob"_s});
    row("date parts", "select year(placed), month(placed), day(placed), weekday(placed) from orders where id = 11",
        {u"2024|12|31|2"_s});
    row("date of a text", "select date('12/31/2024'), date('2024-02-29 10:30:00') from customer where id = 1",
        {u"12/31/2024|02/29/2024"_s});
    row("extend", "select extend(placed, year to minute), extend(placed, month to day) from orders where id = 11",
        {u"2024-12-31 00:00|12-31"_s});
    // Dates compared and reckoned with.
    row("date equal to a text", "select id from orders where placed = '12/31/2024'", {u"11"_s});
    row("text equal to a date", "select id from orders o where '12/31/2024' = o.placed", {u"11"_s});
    row("date between texts", "select id from orders where placed between '01/01/2024' and \"03/01/2024\" order by 1",
        {u"10"_s, u"12"_s});
    row("date after a text", "select id from orders where placed > '02/01/2024' order by 1", {u"11"_s, u"12"_s});
    row("date in texts", "select id from orders where placed not in ('01/15/2024', '02/29/2024')", {u"11"_s});
    row("today compared with a text", "select count(*) from orders where today > '12/31/2024' and '01/01/2000' < today",
        {u"3"_s});
    row("date matched as text", "select id from orders where placed matches '12/*' or placed like '01/%'"
        " order by 1", {u"10"_s, u"11"_s});
    row("date column told from a text column by its table",
        "select o.id, n.placed from orders o, notes n where o.placed = '12/31/2024' and n.placed = '12/31/2024'",
        {u"11|12/31/2024"_s});
    row("date order", "select id from orders order by placed desc", {u"11"_s, u"12"_s, u"10"_s});
    row("date expressions after a star", "select today - today, c.*, o.placed + 1 from customer c, orders o "
        "where o.customer = c.id and o.id = 12", {u"0|2|bob|Rome|03/01/2024"_s});
    row("date expression before a star", "select placed - 1, * from orders where id = 11",
        {u"12/30/2024|11|1|12/31/2024|70"_s});
    row("dates chosen by case and decode", "select case when id = 10 then placed when id = 11 then null else today end, "
        "decode(id, 10, placed + 1, null), case when id = 10 then placed - today else 0 end <= 0 from orders where id = 10",
        {u"01/15/2024|01/16/2024|1"_s});
    row("date plus days", "select placed + 1, placed - 366 as earlier from orders where id = 11",
        {u"01/01/2025|12/31/2023"_s});
    row("days between dates", "select placed - mdy(1, 1, 2024), today - today from orders where id = 11", {u"365|0"_s});
    row("today minus days", "select count(*) from orders where placed < today - 7 and placed >= mdy(1, 1, 2024)",
        {u"3"_s});
    row("datetime literal", "select count(*) from orders where extend(placed, year to minute) "
        "< DATETIME(2024-02-01 10:00) YEAR TO MINUTE", {u"1"_s});
    row("datetime plus interval", "select DATETIME(2024-01-31 10:00) YEAR TO MINUTE + INTERVAL(1 02:30) DAY TO MINUTE, "
        "DATETIME(2024-03-01) YEAR TO DAY - INTERVAL(1) DAY TO DAY, "
        "DATETIME(2023-11-28 23:59:59) YEAR TO SECOND + INTERVAL(1-3) YEAR TO MONTH from customer where id = 1",
        {u"2024-02-01 12:30|2024-02-29|2025-02-28 23:59:59"_s});
    row("datetime minus datetime", "select DATETIME(2024-03-01 12:00) YEAR TO MINUTE - DATETIME(2024-02-28 10:30) YEAR TO MINUTE, "
        "extend(placed, year to second) - DATETIME(2025-01-01 00:00:00) year to second from orders where id = 11",
        {u"2 01:30|-1 00:00:00"_s});
    row("date plus an interval", "select placed + interval(2) month to month, today - interval(1) day to day < today "
        "from orders where id = 10", {u"03/15/2024|1"_s});
    row("date compared with datetimes", "select id from orders where placed < current and placed >= "
        "DATETIME(2024-02-29) YEAR TO DAY and DATETIME(2024-12-31 00:00) YEAR TO MINUTE >= placed and today > placed "
        "order by 1", {u"11"_s, u"12"_s});
    row("current less an interval", "select count(*) from customer where current - interval(1) day to day < current",
        {u"3"_s});
    row("current to its qualifier", "select length(current year to minute), length(current hour to second), "
        "length(current year to fraction(1)) from customer where id = 1", {u"16|8|21"_s});
    row("interval literal", "select INTERVAL(7623-11) YEAR(9) TO MONTH from customer where id = 1", {u"7623-11"_s});
}

void TstDialect::acceptedFormsGiveTheirRows()
{
    QFETCH(QString, statement);
    QFETCH(QStringList, rows);
    EmbeddedFixture f;
    fillShop(f);
    const QStringList got = f.rows(statement);
    QVERIFY2(f.engine->lastError().nativeCode == 0, qPrintable(f.engine->lastError().context));
    QCOMPARE(got, rows);
}

void TstDialect::refusedFormsFailAtTheirWord_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("at");   // the text the offset points at
    QTest::newRow("two-sided outer join")
        << u"select c.name from customer c, outer orders o, outer calls x "
           "where c.id = o.customer and c.id = x.customer and o.customer = x.customer"_s
        << int(embedded::InformixCode::TwoSidedOuterJoin) << u"o.customer = x"_s;
    QTest::newRow("outer cartesian product") << u"select c.name from customer c, outer orders o where c.id > 0"_s
                                             << int(embedded::InformixCode::OuterCartesianProduct) << u"outer"_s;
    QTest::newRow("nested table joined to the wrong level")
        << u"select c.name from customer c, outer (orders o, outer items i), outer calls x "
           "where c.id = o.customer and o.id = i.order_id and c.id = x.customer and x.customer = i.order_id"_s
        << int(embedded::InformixCode::TwoSidedOuterJoin) << u"x.customer = i"_s;
    QTest::newRow("unknown column in an outer join")
        << u"select c.nme from customer c, outer orders o where c.id = o.customer"_s
        << int(embedded::InformixCode::ColumnNotFound) << u"c.nme"_s;
    QTest::newRow("syntax error after an outer join")
        << u"select c.name from customer c, outer orders o where c.id = o.customer order by 1 desc asc"_s
        << int(embedded::InformixCode::SyntaxError) << u"asc"_s;
    QTest::newRow("not a date in an outer join")
        << u"select c.name from customer c, outer orders o where c.id = o.customer and o.placed = '1/1'"_s
        << int(embedded::InformixCode::StringToDateFailed) << u"'1/1'"_s;
    QTest::newRow("cartesian product in the second select of a union")
        << u"select name from customer union select c.name from customer c, outer calls x where c.id = 1"_s
        << int(embedded::InformixCode::OuterCartesianProduct) << u"outer"_s;
    QTest::newRow("outer beside an ansi join")
        << u"select * from customer c left join orders o on c.id = o.customer, outer calls x where x.customer = c.id"_s
        << int(embedded::InformixCode::SyntaxError) << u"outer"_s;
    QTest::newRow("no dominant table") << u"select * from outer orders o"_s
                                       << int(embedded::InformixCode::SyntaxError) << u"outer"_s;
    QTest::newRow("not a date in a date column") << u"insert into orders values (13, 1, '02/30/2024', 5)"_s
                                                 << int(embedded::InformixCode::StringToDateFailed) << u"'02/30"_s;
    QTest::newRow("not a date in an update") << u"update orders set total = 1, placed = 'soon' where id = 10"_s
                                             << int(embedded::InformixCode::StringToDateFailed) << u"'soon'"_s;
    QTest::newRow("not a date from a select") << u"insert into orders (id, placed) select id, city from customer"_s
                                              << int(embedded::InformixCode::StringToDateFailed) << QString();
    QTest::newRow("not a date compared with one") << u"select id from orders where placed > '2024/31/12'"_s
                                                  << int(embedded::InformixCode::StringToDateFailed) << u"'2024/"_s;
    QTest::newRow("no such day for mdy") << u"select mdy(2, 30, 2024) from customer"_s
                                         << int(embedded::InformixCode::InvalidDayInDate) << QString();
    QTest::newRow("no such month for mdy") << u"select mdy(13, 1, 2024) from customer"_s
                                           << int(embedded::InformixCode::InvalidMonthInDate) << QString();
    QTest::newRow("letters in a datetime literal")
        << u"select id from orders where DATETIME(2024-0x-31 10:00) YEAR TO MINUTE is null"_s
        << int(embedded::InformixCode::NonNumericInDateTime) << u"2024-0x"_s;
    QTest::newRow("no 31 February by adding months")
        << u"select DATETIME(2024-01-31) YEAR TO DAY + INTERVAL(1) MONTH TO MONTH from customer"_s
        << int(embedded::InformixCode::DateTimeOutOfRange) << QString();
    QTest::newRow("datetime literal without qualifier") << u"select DATETIME(2024-01-31) from customer"_s
                                                        << int(embedded::InformixCode::SyntaxError) << u"from"_s;
    QTest::newRow("subscript backwards") << u"select name[3,1] from customer"_s
                                         << int(embedded::InformixCode::SyntaxError) << u"["_s;
    QTest::newRow("brackets as a name") << u"select name [label] from customer"_s
                                        << int(embedded::InformixCode::SyntaxError) << u"["_s;
    QTest::newRow("trim without from") << u"select trim(leading 'x' 'xxa') from customer"_s
                                       << int(embedded::InformixCode::SyntaxError) << u"'xxa'"_s;
    QTest::newRow("extend without qualifier") << u"select extend(placed, 3) from orders"_s
                                              << int(embedded::InformixCode::SyntaxError) << u"3)"_s;
    QTest::newRow("right outer join in the where clause") << u"select * from customer c, orders o where c.id (+) = o.customer"_s
                                                           << int(embedded::InformixCode::SyntaxError) << u"(+)"_s;
}

void TstDialect::refusedFormsFailAtTheirWord()
{
    QFETCH(QString, statement);
    QFETCH(int, code);
    QFETCH(QString, at);
    EmbeddedFixture f;
    fillShop(f);
    const DirectResult result = f.engine->executeDirect(statement);
    QCOMPARE(result.status, StatusSqlError);
    QCOMPARE(f.engine->lastError().nativeCode, code);
    if (!at.isEmpty())
        QCOMPARE(f.engine->communicationArea().errorOffset, int(statement.indexOf(at)) + 1);
    // Nothing was written by a refused statement.
    QCOMPARE(f.rows(u"select count(*), min(placed), max(placed) from orders"_s), QStringList{u"3|01/15/2024|12/31/2024"_s});
}

void TstDialect::dateValuesAreDayNumbersShownInTheUsersForm()
{
    EmbeddedFixture f;
    fillShop(f);
    // Stored as Informix stores them: days since 31 December 1899.
    QCOMPARE(f.rows(u"select placed, cast(placed as integer), typeof(placed) from orders where id = 11"_s),
             QStringList{u"12/31/2024|45656|integer"_s});
    f.run(u"update orders set placed = '03/01/2024' where id = 10"_s);
    QCOMPARE(f.rows(u"select placed from orders where id = 10"_s), QStringList{u"03/01/2024"_s});
    f.run(u"update orders set placed = placed + 30 where id = 10"_s);
    f.run(u"update orders set (total, placed) = (1, '04/01/2024') where id = 12"_s);
    f.run(u"insert into orders (placed, id) values ('05/01/2024', 16)"_s);
    QCOMPARE(f.rows(u"select id, placed from orders where placed >= '04/01/2024' and placed < '06/01/2024' order by 1"_s),
             (QStringList{u"12|04/01/2024"_s, u"16|05/01/2024"_s}));
    QCOMPARE(f.rows(u"select placed from orders where id = 10"_s), QStringList{u"03/31/2024"_s});
    f.run(u"insert into orders (id, placed) values (14, today)"_s);
    QCOMPARE(f.rows(u"select placed, today from orders where id = 14"_s),
             QStringList{QDate::currentDate().toString(u"MM/dd/yyyy"_s).repeated(1) + u'|'
                         + QDate::currentDate().toString(u"MM/dd/yyyy"_s)});
    f.run(u"insert into orders (id, placed) values (15, null)"_s);
    f.run(u"insert into orders (placed, id) select '09/09/2024', id + 100 from customer where id = 1"_s);
    QCOMPARE(f.rows(u"select placed + 1 from orders where id = 101"_s), QStringList{u"09/10/2024"_s});
    QCOMPARE(f.rows(u"select count(*) from orders where placed is null"_s), QStringList{u"1"_s});
    f.run(u"create table due (id integer, day date default '01/02/2025' not null, note char(10) default '01/02/2025')"_s);
    f.run(u"insert into due (id) values (1)"_s);
    QCOMPARE(f.rows(u"select day - 1, note from due"_s), QStringList{u"01/01/2025|01/02/2025"_s});
    // A text column keeps a date-shaped text as it was written.
    f.run(u"insert into customer values (4, '12/31/2024', 'x')"_s);
    QCOMPARE(f.rows(u"select name from customer where id = 4"_s), QStringList{u"12/31/2024"_s});
}

void TstDialect::datesBoundToPreparedStatementsAreConverted()
{
    EmbeddedFixture f;
    fillShop(f);
    auto insert = f.engine->prepare(u"insert into orders (id, placed) values (?, ?)"_s);
    insert->bind(0, 20);
    insert->bind(1, QDate(2024, 6, 1));
    insert->execute();
    insert->bind(0, 21);
    insert->bind(1, u"2024-06-02"_s);
    insert->execute();
    insert->bind(0, 22);
    insert->bind(1, u"06/03/2024"_s);
    insert->execute();
    insert->bind(0, 23);
    insert->bind(1, u"06/31/2024"_s);
    try {
        insert->execute();
        QFAIL("a text that is no date was stored");
    } catch (const EngineError &e) {
        QCOMPARE(e.nativeCode(), int(embedded::InformixCode::StringToDateFailed));
    }
    QCOMPARE(f.rows(u"select id, placed from orders where id >= 20 order by placed"_s),
             (QStringList{u"20|06/01/2024"_s, u"21|06/02/2024"_s, u"22|06/03/2024"_s}));
    auto find = f.engine->prepare(u"select id from orders where placed = ?"_s);
    find->bind(0, u"06/02/2024"_s);
    QCOMPARE(f.rows(u"select count(*) from orders where placed between '06/01/2024' and '06/03/2024'"_s),
             QStringList{u"3"_s});
    auto cursor = find->execute();
    QVERIFY(cursor);
    Dataset found;
    found.attach(std::move(cursor));
    QCOMPARE(found.recordCount(), 1);
    QCOMPARE(found.text(0, 0), u"21"_s);
}

void TstDialect::tableDatasetEditsDates()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"visits"_s);
    f.run(u"create table visit (id integer primary key, day date)"_s);
    f.run(u"insert into visit values (1, '06/01/2024')"_s);
    TableDataset table(*f.engine);
    table.open(u"visit"_s);
    QVERIFY(table.moveTo(0));
    QCOMPARE(table.text(0, 1), u"06/01/2024"_s);
    table.edit();
    table.setValue(1, u"07/04/2024"_s);
    table.post();
    table.insert();
    table.setValue(0, u"2"_s);
    table.setValue(1, QVariant(QDate(2024, 8, 1)));
    table.post();
    table.insert();
    table.setValue(0, u"3"_s);
    table.setValue(1, u"08/32/2024"_s);
    try {
        table.post();
        QFAIL("a text that is no date was posted");
    } catch (const EngineError &e) {
        QCOMPARE(e.nativeCode(), int(embedded::InformixCode::StringToDateFailed));
    }
    table.cancel();
    QCOMPARE(f.rows(u"select id, day, day - mdy(6, 1, 2024) from visit order by day"_s),
             (QStringList{u"1|07/04/2024|33"_s, u"2|08/01/2024|61"_s}));
}

void TstDialect::selectIntoTempMakesATable()
{
    EmbeddedFixture f;
    fillShop(f);
    f.run(u"select id, placed, placed + 1 next_day, total * 2 from orders where total > 30 order by id "
          "into temp big with no log"_s);
    QCOMPARE(f.engine->communicationArea().rowsProcessed, 2);
    QCOMPARE(f.rows(u"select * from big order by id"_s),
             (QStringList{u"10|01/15/2024|01/16/2024|100"_s, u"11|12/31/2024|01/01/2025|140"_s}));
    QCOMPARE(f.rows(u"select id from big where placed = '12/31/2024'"_s), QStringList{u"11"_s});
    f.run(u"select name from customer into temp names"_s);
    QCOMPARE(f.engine->communicationArea().rowsProcessed, 3);
    QCOMPARE(f.engine->executeDirect(u"select name from customer into temp names"_s).status, StatusSqlError);
    QCOMPARE(f.engine->lastError().nativeCode, int(embedded::InformixCode::TableAlreadyExists));
    f.run(u"create temp table waits (at datetime year to minute, wait interval hour to minute)"_s);
    f.run(u"insert into waits values ('2024-01-31 23:00', '1:30')"_s);
    QCOMPARE(f.rows(u"select at + wait, at - wait from waits"_s), QStringList{u"2024-02-01 00:30|2024-01-31 21:30"_s});
    QCOMPARE(f.rows(u"select count(*) from waits, orders o where o.placed = waits.at - interval(16 23:00) day to minute"_s),
             QStringList{u"1"_s});
    QCOMPARE(f.rows(u"select o.id from waits w, orders o where o.placed < w.at and o.placed > w.at - interval(20) day to day"_s),
             QStringList{u"10"_s});
    // Prepared (as a query object does), it makes its table when executed.
    f.engine->prepare(u"select id from orders into temp more"_s)->execute();
    QCOMPARE(f.rows(u"select count(*) from more"_s), QStringList{u"3"_s});
    f.run(u"drop table big"_s);
    QCOMPARE(f.engine->executeDirect(u"select * from big"_s).status, StatusSqlError);
    QCOMPARE(f.engine->lastError().nativeCode, int(embedded::InformixCode::TableNotInDatabase));
    // Temporary tables are not in the catalog.
    QCOMPARE(f.rows(u"select count(*) from systables where tabname in ('big', 'names')"_s), QStringList{u"0"_s});
}

void TstDialect::catalogDatesCompareWithToday()
{
    EmbeddedFixture f;
    fillShop(f);
    const QString today = QDate::currentDate().toString(u"MM/dd/yyyy"_s);
    QCOMPARE(f.rows(u"select created from systables where tabname = 'orders'"_s), QStringList{today});
    QCOMPARE(f.rows(u"select count(*) from systables where created = today and tabname = 'orders'"_s), QStringList{u"1"_s});
    QCOMPARE(f.rows(u"select count(*) from systables where created > today - 1 and tabid = 1"_s), QStringList{u"1"_s});
    QCOMPARE(f.rows(u"select count(*) from systables where created < '01/01/2000'"_s), QStringList{u"0"_s});
    f.run(u"database sysmaster"_s);
    QCOMPARE(f.rows(u"select created from sysdatabases where name = 'shop'"_s), QStringList{today});
}

void TstDialect::dayNumbersAreThoseOfInformix_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("days");      // since 31 December 1899
    QTest::addColumn<int>("weekday");   // 0 for Sunday
    QTest::newRow("day zero") << QDate(1899, 12, 31) << 0 << 0;
    QTest::newRow("first day of 1900") << QDate(1900, 1, 1) << 1 << 1;
    QTest::newRow("before day zero") << QDate(1850, 7, 4) << -18077 << 4;
    QTest::newRow("last day of 1999") << QDate(1999, 12, 31) << 36524 << 5;
    QTest::newRow("first day of 2000") << QDate(2000, 1, 1) << 36525 << 6;
    QTest::newRow("a Sunday") << QDate(2000, 1, 2) << 36526 << 0;
    QTest::newRow("leap day") << QDate(2024, 2, 29) << 45350 << 4;
}

void TstDialect::dayNumbersAreThoseOfInformix()
{
    QFETCH(QDate, date);
    QFETCH(int, days);
    QFETCH(int, weekday);
    QCOMPARE(connection::dayNumber(date), days);
    QCOMPARE(connection::dateOfDay(days), date);
    EmbeddedFixture f;
    f.useNewDatabase(u"days"_s);
    f.run(u"create table one (d date)"_s);
    f.run(u"insert into one values (mdy(%1, %2, %3))"_s.arg(date.month()).arg(date.day()).arg(date.year()));
    QCOMPARE(f.rows(u"select cast(d as integer), weekday(d), year(d), month(d), day(d), d from one"_s),
             QStringList{u"%1|%2|%3|%4|%5|%6"_s.arg(days).arg(weekday).arg(date.year()).arg(date.month()).arg(date.day())
                             .arg(date.toString(u"MM/dd/yyyy"_s))});
    // The text form reads back to the same day.
    QCOMPARE(f.rows(u"select count(*) from one where d = '%1'"_s.arg(date.toString(u"MM/dd/yyyy"_s))), QStringList{u"1"_s});
}

void TstDialect::outerJoinTextMapsBackToTheStatement_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("pieces");   // texts that must map back to where they stand
    QTest::newRow("terms move into the join")
        << u"select c.name from customer c, outer orders o where c.city = 'Oslo' and c.id = o.customer order by 1"_s
        << QStringList{u"c.id = o.customer"_s, u"c.city = 'Oslo'"_s, u"orders o"_s, u"order by 1"_s};
    QTest::newRow("nested group")
        << u"select * from customer c, outer (orders o, outer items i) where o.id = i.order_id and c.id = o.customer"_s
        << QStringList{u"o.id = i.order_id"_s, u"c.id = o.customer"_s, u"items i"_s, u"orders o"_s};
    QTest::newRow("second select of a union")
        << u"select id from customer union select c.id from customer c, outer calls x where x.customer = c.id"_s
        << QStringList{u"x.customer = c.id"_s, u"calls x"_s, u"select id from customer"_s};
}

void TstDialect::outerJoinTextMapsBackToTheStatement()
{
    QFETCH(QString, statement);
    QFETCH(QStringList, pieces);
    const std::optional<embedded::RewrittenSql> joined = embedded::rewriteOuterJoins(statement);
    QVERIFY(joined);
    QVERIFY2(!joined->text().contains(u"outer"_s, Qt::CaseInsensitive), qPrintable(joined->text()));
    for (const QString &piece : pieces) {
        const qsizetype at = joined->text().indexOf(piece);
        QVERIFY2(at >= 0, qPrintable(piece));
        for (qsizetype i = 0; i < piece.size(); ++i)
            QCOMPARE(joined->originalIndex(at + i), statement.indexOf(piece) + i);
    }
}

void TstDialect::dateFormatsFollowDbdate_data()
{
    QTest::addColumn<QString>("dbdate");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");       // invalid when the text is no date
    QTest::addColumn<QString>("written");  // the date written back
    const QDate last(2024, 12, 31);
    QTest::newRow("default") << QString() << u"12/31/2024"_s << last << u"12/31/2024"_s;
    QTest::newRow("MDY4/") << u"MDY4/"_s << u"1/5/2024"_s << QDate(2024, 1, 5) << u"01/05/2024"_s;
    QTest::newRow("DMY2-") << u"DMY2-"_s << u"31-12-24"_s << last << u"31-12-24"_s;
    QTest::newRow("Y2DM.") << u"Y2DM."_s << u"24.31.12"_s << last << u"24.31.12"_s;
    QTest::newRow("MDY20 without separator") << u"MDY20"_s << u"123124"_s << last << u"123124"_s;
    QTest::newRow("Y4MD0 without separator") << u"Y4MD0"_s << u"20241231"_s << last << u"20241231"_s;
    QTest::newRow("missing separator is a slash") << u"DMY4"_s << u"31/12/2024"_s << last << u"31/12/2024"_s;
    QTest::newRow("unknown form is MDY4/") << u"XYZ"_s << u"12/31/2024"_s << last << u"12/31/2024"_s;
    QTest::newRow("ISO text in any form") << u"DMY2-"_s << u"2024-12-31"_s << last << u"31-12-24"_s;
    QTest::newRow("no 30 February") << u"MDY4/"_s << u"02/30/2024"_s << QDate() << QString();
    QTest::newRow("no month 13") << u"MDY4/"_s << u"13/01/2024"_s << QDate() << QString();
    QTest::newRow("wrong separator") << u"MDY4/"_s << u"12-31-2024"_s << QDate() << QString();
    QTest::newRow("letters") << u"MDY4/"_s << u"1a/31/2024"_s << QDate() << QString();
}

void TstDialect::dateFormatsFollowDbdate()
{
    QFETCH(QString, dbdate);
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QFETCH(QString, written);
    const connection::DateFormat format = connection::DateFormat::fromDbdate(dbdate);
    const std::optional<qint64> days = connection::parseDateText(text, format);
    QCOMPARE(days.has_value(), date.isValid());
    if (!days)
        return;
    QCOMPARE(connection::dateOfDay(*days), date);
    char out[16];
    const int length = connection::writeDate(*days, out, format);
    QCOMPARE(QString::fromLatin1(out, length), written);
}

QUOLL_TEST(TstDialect);
#include "tst_dialect.moc"

void TstDialect::ownersComeOffTableNamesOnly_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("expected");   // empty: nothing taken off
    const auto row = [](const char *name, const char *sql, const char *expected, const char *database = "shop") {
        QTest::newRow(name) << QString::fromUtf8(sql) << QString::fromUtf8(database) << QString::fromUtf8(expected);
    };
    // Owners of tables.
    row("owner in from", "select * from informix.systables where tabid = 1", "select * from systables where tabid = 1");
    row("double-quoted owner", "select * from \"informix\".systables", "select * from systables");
    row("single-quoted owner", "select * from 'Ann'.orders", "select * from orders");
    row("owner and alias", "select a.tabname from informix.systables a where a.tabid = 1",
        "select a.tabname from systables a where a.tabid = 1");
    row("three-part column", "select ann.orders.id from ann.orders where ann.orders.total > 1.5",
        "select orders.id from orders where orders.total > 1.5");
    row("three-part star", "select ann.orders.* from ann.orders", "select orders.* from orders");
    row("quoted owner of a column", "select \"ann\".orders.id from orders", "select orders.id from orders");
    row("every table of a from list", "select * from ann.a, bob.b x, outer (cy.c, outer dee.d)",
        "select * from a, b x, outer (c, outer d)");
    row("ansi joins", "select o.id from ann.orders o left outer join ann.customer c on o.cust = c.id join bob.x on x.k = c.k",
        "select o.id from orders o left outer join customer c on o.cust = c.id join x on x.k = c.k");
    row("table after a join condition", "select 1 from a.t join b.u on t.k = u.k, c.v", "select 1 from t join u on t.k = u.k, v");
    row("subquery", "select c.name from customer c where c.id in (select o.cust from ann.orders o)",
        "select c.name from customer c where c.id in (select o.cust from orders o)");
    row("derived table", "select x.id from (select id from ann.orders) x", "select x.id from (select id from orders) x");
    row("insert", "insert into ann.orders (id) values (1)", "insert into orders (id) values (1)");
    row("insert from a select", "insert into ann.orders select * from ann.old", "insert into orders select * from old");
    row("update", "update \"ann\".orders set total = 1 where orders.id = 2", "update orders set total = 1 where orders.id = 2");
    row("delete", "delete from ann.orders where orders.id = 2", "delete from orders where orders.id = 2");
    row("delete without from", "delete ann.orders where id = 2", "delete orders where id = 2");
    row("view", "create view v as select * from ann.orders", "create view v as select * from orders");
    row("routine", "select ann.total(id) from orders", "select total(id) from orders");
    row("create table", "create temp table ann.t (a int)", "create temp table t (a int)");
    row("alter table", "alter table \"ann\".orders add note char(5)", "alter table orders add note char(5)");
    row("trigger body", "create trigger tr insert on orders for each row (update ann.customer set name = 'x')",
        "create trigger tr insert on orders for each row (update customer set name = 'x')");
    row("trigger deleting", "create trigger tr delete on orders referencing old as o for each row "
        "(delete from ann.items where items.order_id = o.id, delete bob.calls where calls.customer = o.customer)",
        "create trigger tr delete on orders referencing old as o for each row "
        "(delete from items where items.order_id = o.id, delete calls where calls.customer = o.customer)");
    row("select for update", "select o.id from ann.orders o for update of o.total", "select o.id from orders o for update of o.total");
    row("union", "select id from ann.a union select id from bob.b", "select id from a union select id from b");
    row("catalog keyword column", "select r.primary from informix.sysreferences r", "select r.primary from sysreferences r");
    // Database qualifiers.
    row("current database", "select * from shop:orders", "select * from orders");
    row("current database and owner", "select * from SHOP:ann.orders", "select * from orders");
    row("current database at its server", "select * from shop@srv:ann.orders", "select * from orders");
    row("no current database", "select * from shop:orders", "", "");
    // What stays: table.column, numbers, time literals, FROM inside functions.
    row("table.column", "select c.name, orders.id from customer c, orders where c.id = orders.cust", "");
    row("decimal numbers", "select 1.5, .5 from t where t.x = 2.25", "");
    row("datetime literal", "select DATETIME (2024-01-15 10:30:00.5) YEAR TO FRACTION(1) from t", "");
    row("interval literal", "select INTERVAL (-9834 15:45:12.345) DAY(6) TO FRACTION(3) from t", "");
    row("from inside trim", "select trim(both from c.name) from customer c", "");
    row("from inside substring", "select substring(c.name from 2 for 3) from customer c", "");
    row("from inside extract", "select extract(year from o.placed) from orders o", "");
    row("keyword columns", "select b.default, r.primary from sysdefaults b, sysreferences r", "");
    row("cast", "select t.x::integer from t", "");
    row("column before an outer join mark", "select * from a, b where a.k (+) = b.k", "");
    row("column before a parenthesis", "select * from a where a.k (1) = 1", "");
    row("strings", "select 'ann.orders', \"a.b.c\" from t", "");
}

void TstDialect::ownersComeOffTableNamesOnly()
{
    QFETCH(QString, statement);
    QFETCH(QString, database);
    QFETCH(QString, expected);
    const std::optional<embedded::RewrittenSql> unowned = embedded::dropOwnerNames(statement, database);
    if (expected.isEmpty()) {
        QVERIFY2(!unowned, qPrintable(unowned->text()));
        return;
    }
    QVERIFY(unowned);
    QCOMPARE(unowned->text(), expected);
    // Every character left maps back to the same character of the statement.
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(statement[unowned->originalIndex(i)], expected[i]);
}

void TstDialect::ownerQualifiedNamesGiveTheirRows_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("rows");
    const auto row = [](const char *name, const char *sql, QStringList rows) {
        QTest::newRow(name) << QString::fromUtf8(sql) << rows;
    };
    row("catalog table", "select tabname from informix.systables where tabid = 1", {u"systables"_s});
    row("quoted owner and alias", "select a.tabname from \"informix\".systables a where a.tabid = 1", {u"systables"_s});
    row("owner and database", "select count(*) from shop:tester.orders", {u"3"_s});
    row("three-part names and a date", "select tester.orders.id from tester.orders "
        "where tester.orders.placed = '12/31/2024'", {u"11"_s});
    row("date column of an owned table", "select id, placed from 'tester'.orders where placed < '02/01/2024'",
        {u"10|01/15/2024"_s});
    row("join", "select c.name, o.id from tester.orders o join tester.customer c on o.customer = c.id "
        "where o.placed > '01/31/2024' order by 2", {u"ann|11"_s, u"bob|12"_s});
    row("ansi left outer join", "select c.name, count(o.id) from tester.customer c left outer join tester.orders o "
        "on o.customer = c.id group by 1 order by 1", {u"ann|2"_s, u"bob|1"_s, u"cy|0"_s});
    row("informix outer join", "select c.name, i.item from tester.customer c, outer (tester.orders o, outer tester.items i) "
        "where c.id = o.customer and o.id = i.order_id and o.placed = '01/15/2024' order by 1, 2",
        {u"ann|ink"_s, u"ann|pen"_s, u"bob|"_s, u"cy|"_s});
    row("three-part names in an outer join", "select customer.name, tester.orders.id from tester.customer, outer tester.orders "
        "where customer.id = tester.orders.customer and tester.orders.total > 60 order by 1",
        {u"ann|11"_s, u"bob|"_s, u"cy|"_s});
    row("subquery", "select name from tester.customer where id in (select customer from tester.orders "
        "where placed = '02/29/2024')", {u"bob"_s});
}

void TstDialect::ownerQualifiedNamesGiveTheirRows()
{
    acceptedFormsGiveTheirRows();
}

void TstDialect::ownerQualifiedNamesFailAtTheirWord_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("at");   // the text the offset points at
    QTest::newRow("no such table") << u"select * from tester.nosuch"_s
                                   << int(embedded::InformixCode::TableNotInDatabase) << u"nosuch"_s;
    QTest::newRow("no such column") << u"select tester.orders.nosuch from tester.orders"_s
                                    << int(embedded::InformixCode::ColumnNotFound) << u"orders.nosuch"_s;
    QTest::newRow("not a date") << u"insert into \"tester\".orders values (13, 1, '02/30/2024', 5)"_s
                                << int(embedded::InformixCode::StringToDateFailed) << u"'02/30"_s;
    QTest::newRow("not a date in an update") << u"update tester.orders set placed = 'soon' where id = 10"_s
                                             << int(embedded::InformixCode::StringToDateFailed) << u"'soon'"_s;
    QTest::newRow("outer cartesian product") << u"select c.name from tester.customer c, outer tester.orders o where c.id > 0"_s
                                             << int(embedded::InformixCode::OuterCartesianProduct) << u"outer"_s;
}

void TstDialect::ownerQualifiedNamesFailAtTheirWord()
{
    refusedFormsFailAtTheirWord();
}

void TstDialect::tablesMadeAndChangedWithTheirOwner()
{
    EmbeddedFixture f;
    fillShop(f);
    f.run(u"create table tester.tickets (id integer, due date)"_s);
    QCOMPARE(f.rows(u"select owner from systables where tabname = 'tickets'"_s), QStringList{u"tester"_s});
    f.run(u"alter table \"tester\".tickets add note char(5)"_s);
    f.run(u"insert into tester.tickets values (1, '03/01/2024', 'a')"_s);
    QCOMPARE(f.rows(u"select tester.tickets.due, note from tester.tickets"_s), QStringList{u"03/01/2024|a"_s});
    // A prepared statement with a parameter takes the owner off as well.
    QCOMPARE(f.rowsWith(u"select note from \"tester\".tickets where tester.tickets.id = :id"_s, u"id"_s, 1),
             QStringList{u"a"_s});
    f.run(u"drop table tester.tickets"_s);
    QCOMPARE(f.rows(u"select count(*) from systables where tabname = 'tickets'"_s), QStringList{u"0"_s});
}

void TstDialect::serialOfAnOwnerQualifiedInsert()
{
    EmbeddedFixture f;
    fillShop(f);
    f.run(u"create table tickets (id serial, note char(5))"_s);
    f.run(u"insert into tester.tickets values (100, 'a')"_s);
    QCOMPARE(f.engine->communicationArea().serialOrSecondary, 100);
    f.run(u"insert into \"tester\".tickets (note) values ('b')"_s);
    QCOMPARE(f.engine->communicationArea().serialOrSecondary, 101);
    QCOMPARE(f.rows(u"select id, note from tickets order by id"_s), (QStringList{u"100|a"_s, u"101|b"_s}));
}
