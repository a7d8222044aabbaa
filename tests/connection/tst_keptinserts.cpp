#include "embeddedfixture.h"
#include "testregistry.h"

#include "connection/embedded/rewrite/insertparameters.h"
#include "connection/embedded/runtime/statementcache.h"
#include "connection/engine/communicationarea.h"

#include <QTest>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using embedded::ParameterizedInsert;
using quoll::testing::EmbeddedFixture;

namespace {

// The values of a parameterized insert as texts: numbers bare, texts quoted.
QStringList valueTexts(const ParameterizedInsert &insert)
{
    QStringList texts;
    for (const ParameterizedInsert::Value &v : insert.values)
        texts.append(v.isText ? u'<' + QString::fromUtf8(insert.text(v)) + u'>' : QString::number(v.integer));
    return texts;
}

} // namespace

// Inserts of one shape share a prepared statement with their constants
// bound: what is taken out, what stays written out, and that the rows and
// the failures are those of the statements as written.
class TstKeptInserts : public QObject
{
    Q_OBJECT

private slots:
    void constantsBecomeParameters_data();
    void constantsBecomeParameters();
    void cacheKeepsTheMostRecent();
    void rowsAreThoseOfTheWrittenStatements();
    void aChangedTableIsInsertedIntoAsItIsNow();
    void failuresStayWhereTheyWere();
};

void TstKeptInserts::constantsBecomeParameters_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("parameterized");   // empty: not parameterized
    QTest::addColumn<QStringList>("values");

    QTest::newRow("numbers and texts") << u"insert into s values (1, 'a''b');"_s << u"insert into s values (?, ?);"_s
                                       << QStringList{u"1"_s, u"<a'b>"_s};
    QTest::newRow("names before the values stay")
        << u"insert into 'x' ('a', b) values ('c', 2)"_s << u"insert into 'x' ('a', b) values (?, ?)"_s
        << QStringList{u"<c>"_s, u"2"_s};
    QTest::newRow("a sign stays written") << u"insert into s values (-5, 007)"_s << u"insert into s values (-?, ?)"_s
                                          << QStringList{u"5"_s, u"7"_s};
    QTest::newRow("decimals, exponents and blobs stay")
        << u"insert into s values (1.5, 2e3, x'00', 3)"_s << u"insert into s values (1.5, 2e3, x'00', ?)"_s
        << QStringList{u"3"_s};
    QTest::newRow("texts around a blob") << u"insert into s values ('a', x'00', 'b')"_s
                                         << u"insert into s values (?, x'00', ?)"_s << QStringList{u"<a>"_s, u"<b>"_s};
    QTest::newRow("a number beyond 64 bits stays")
        << u"insert into s values (123456789012345678901, 1)"_s << u"insert into s values (123456789012345678901, ?)"_s
        << QStringList{u"1"_s};
    QTest::newRow("functions and comments")
        << u"insert into s values (quoll_date('x'), 1) -- '2'"_s << u"insert into s values (quoll_date(?), ?) -- '2'"_s
        << QStringList{u"<x>"_s, u"1"_s};
    QTest::newRow("text outside Latin-1") << u"insert into s values ('Привет €')"_s << u"insert into s values (?)"_s
                                          << QStringList{u"<Привет €>"_s};
    const QStringList none;
    QTest::newRow("a select") << u"select 1 from s"_s << QString() << none;
    QTest::newRow("insert or replace") << u"insert or replace into s values (1)"_s << QString() << none;
    QTest::newRow("insert select") << u"insert into s select 1 from t"_s << QString() << none;
    QTest::newRow("its own parameter") << u"insert into s values (?, 1)"_s << QString() << none;
    QTest::newRow("a named parameter") << u"insert into s values (:a, 1)"_s << QString() << none;
    QTest::newRow("a quoted name") << u"insert into \"s\" values (1)"_s << QString() << none;
    QTest::newRow("no constants") << u"insert into s values (null)"_s << QString() << none;
    QTest::newRow("an open string") << u"insert into s values ('abc)"_s << QString() << none;
}

void TstKeptInserts::constantsBecomeParameters()
{
    QFETCH(QString, sql);
    QFETCH(QString, parameterized);
    QFETCH(QStringList, values);
    const std::optional<ParameterizedInsert> insert = embedded::parameterizeInsert(sql);
    QCOMPARE(insert.has_value(), !parameterized.isEmpty());
    if (!insert)
        return;
    QCOMPARE(QString::fromUtf8(insert->sql), parameterized);
    QCOMPARE(valueTexts(*insert), values);
}

void TstKeptInserts::cacheKeepsTheMostRecent()
{
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
    const auto prepared = [db](const QByteArray &sql) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
        return stmt;
    };
    {
        embedded::StatementCache cache(2);
        sqlite3_stmt *one = prepared("select ?");
        sqlite3_stmt *two = prepared("select ?, 2");
        cache.insert("select ?", one);
        cache.insert("select ?, 2", two);
        // A statement found comes back reset, its values unbound.
        sqlite3_bind_int(one, 1, 5);
        QCOMPARE(sqlite3_step(one), SQLITE_ROW);
        QCOMPARE(cache.find("select ?"), one);
        QCOMPARE(sqlite3_step(one), SQLITE_ROW);
        QCOMPARE(sqlite3_column_type(one, 0), SQLITE_NULL);
        // "select ?" was used last: the third statement drops the other.
        cache.insert("select 3", prepared("select 3"));
        QCOMPARE(cache.size(), size_t(2));
        QCOMPARE(cache.find("select ?, 2"), nullptr);
        QCOMPARE(cache.find("select ?"), one);
        QVERIFY(cache.find("select 3"));
    }
    // The cache finalized what it kept: nothing holds the connection open.
    QCOMPARE(sqlite3_next_stmt(db, nullptr), nullptr);
    QCOMPARE(sqlite3_close(db), SQLITE_OK);
}

void TstKeptInserts::rowsAreThoseOfTheWrittenStatements()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"kept"_s);
    f.run(u"create table k (id serial, n integer, t varchar(20), r float, d date)"_s);
    // The same shapes again and again; texts into numbers and numbers into
    // texts convert as written constants do, dates as their day numbers.
    for (int i = 1; i <= 3; ++i) {
        f.run(u"insert into k (n, t, r, d) values (%1, '%1''s', %1, '01/0%1/2024')"_s.arg(i));
        const CommunicationArea area = f.engine->communicationArea();
        QCOMPARE(area.rowsProcessed, 1);
        QCOMPARE(area.serialOrSecondary, i);
    }
    f.run(u"insert into k (n, t, r, d) values ('42', 7, '2.5', null)"_s);
    QCOMPARE(f.rows(u"select id, n, t, r, d from k order by id"_s),
             (QStringList{u"1|1|1's|1|01/01/2024"_s, u"2|2|2's|2|01/02/2024"_s, u"3|3|3's|3|01/03/2024"_s,
                          u"4|42|7|2.5|"_s}));
    QCOMPARE(f.rows(u"select typeof(n), typeof(t), typeof(r) from k where id in (1, 4)"_s),
             (QStringList{u"integer|text|real"_s, u"integer|text|real"_s}));
}

void TstKeptInserts::aChangedTableIsInsertedIntoAsItIsNow()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"kept"_s);
    f.run(u"create table c (a integer, b varchar(10))"_s);
    f.run(u"insert into c values (1, 'x')"_s);
    // The same shape into a table made again with its columns the other way.
    f.run(u"drop table c"_s);
    f.run(u"create table c (b varchar(10), a integer)"_s);
    f.run(u"insert into c values ('y', 2)"_s);
    QCOMPARE(f.rows(u"select a, b from c"_s), QStringList{u"2|y"_s});
    // With a DATE column now, the date text is written as its day number.
    f.run(u"drop table c"_s);
    f.run(u"create table c (b varchar(10), a date)"_s);
    f.run(u"insert into c values ('z', '12/31/2024')"_s);
    QCOMPARE(f.rows(u"select a, b from c"_s), QStringList{u"12/31/2024|z"_s});
}

void TstKeptInserts::failuresStayWhereTheyWere()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"kept"_s);
    f.run(u"create table u (a integer primary key, b varchar(10))"_s);
    f.run(u"insert into u values (1, 'x')"_s);
    // A duplicate of the kept shape: the constraint's error, no row added.
    DirectResult duplicate = f.engine->executeDirect(u"insert into u values (1, 'y')"_s);
    QCOMPARE(duplicate.status, StatusSqlError);
    QCOMPARE(f.engine->lastError().nativeCode, -268);
    // A column that is not there: the failing name is marked as ever.
    DirectResult unknown = f.engine->executeDirect(u"insert into u (a, nosuch) values (2, 'y')"_s);
    QCOMPARE(unknown.status, StatusSqlError);
    QCOMPARE(f.engine->lastError().nativeCode, -217);
    QCOMPARE(f.engine->communicationArea().errorOffset, 19);
    // After the table went away, the kept shape fails as a written one does.
    f.run(u"drop table u"_s);
    DirectResult gone = f.engine->executeDirect(u"insert into u values (3, 'z')"_s);
    QCOMPARE(gone.status, StatusSqlError);
    QCOMPARE(f.engine->lastError().nativeCode, -206);
    QCOMPARE(f.engine->communicationArea().errorOffset, 13);
}

QUOLL_TEST(TstKeptInserts);
#include "tst_keptinserts.moc"
