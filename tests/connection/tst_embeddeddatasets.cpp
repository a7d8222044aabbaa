#include "embeddedfixture.h"
#include "testregistry.h"

#include "connection/engine/dataset.h"
#include "connection/engine/query.h"
#include "connection/engine/tabledataset.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::connection;
using quoll::testing::EmbeddedFixture;


// Datasets over the embedded server's real cursors and tables.
class TstEmbeddedDatasets : public QObject
{
    Q_OBJECT

private slots:
    void largeResultIsReadOnlyAsFarAsAsked();
    void tableDatasetEditsThroughThePrimaryKey();
    void tableDatasetEditsThroughTheRowIdentity();
    void failedPostKeepsWhatTheUserTyped();
    void preparedStatementRunsAgainWithNewValues();
    void serverStatementsRunThroughAQuery();
};

void TstEmbeddedDatasets::serverStatementsRunThroughAQuery()
{
    // The window sends its session statements through a query object.
    EmbeddedFixture f;
    f.useNewDatabase(u"first"_s);
    f.useNewDatabase(u"second"_s, false);
    for (const QString &sql : {u"set isolation to dirty read"_s, u"database first"_s, u"begin work"_s,
                               u"commit work"_s, u"close database"_s, u"database second"_s}) {
        Query query(f.database, sql);
        query.execute();
    }
    QCOMPARE(f.engine->currentDatabase(), u"second"_s);
    Query begin(f.database, u"begin work"_s);
    QVERIFY_THROWS_EXCEPTION(EngineError, begin.execute());   // no logging in "second"
    QCOMPARE(f.engine->lastError().nativeCode, -256);
}

void TstEmbeddedDatasets::preparedStatementRunsAgainWithNewValues()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"again"_s);
    f.run(u"create table t (n integer, s varchar(20))"_s);
    const auto insert = f.engine->prepare(u"insert into t values (?, ?)"_s);
    for (int n = 1; n <= 3; ++n) {
        insert->bind(0, n);
        insert->bind(1, u"row %1"_s.arg(n));
        insert->execute();
        QCOMPARE(insert->rowsAffected(), 1);
    }
    QCOMPARE(f.rows(u"select n, s from t order by n"_s), (QStringList{u"1|row 1"_s, u"2|row 2"_s, u"3|row 3"_s}));
}

void TstEmbeddedDatasets::largeResultIsReadOnlyAsFarAsAsked()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"big"_s);
    f.run(u"create table t (n integer, s varchar(20))"_s);
    f.run(u"with recursive k(x) as (select 1 union all select x + 1 from k where x < 100000) "
          "insert into t select x, 'row ' || x from k"_s);
    Dataset rows;
    rows.attach(f.engine->executeDirect(u"select n, s from t order by n"_s).cursor);
    QCOMPARE(rows.fetchedCount(), 1);
    QCOMPARE(rows.text(1), u"row 1"_s);
    QVERIFY(rows.moveTo(9));
    QCOMPARE(rows.fetchedCount(), 10);
    rows.first();
    QCOMPARE(rows.fetchedCount(), 10);
    QCOMPARE(rows.recordCount(), 100000);
    rows.last();
    QCOMPARE(rows.text(0), u"100000"_s);
    QVERIFY(!rows.canFetchMore());
}

void TstEmbeddedDatasets::tableDatasetEditsThroughThePrimaryKey()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"shop"_s);
    f.run(u"create table item (id integer primary key, name varchar(20), price decimal(8,2) default 1)"_s);
    f.run(u"insert into item values (1, 'tea', 2.5)"_s);
    f.run(u"insert into item values (2, 'milk', 1)"_s);

    TableDataset table(*f.engine);
    table.open(u"item"_s);
    QCOMPARE(table.fieldCount(), 3);
    QVERIFY(table.moveTo(1));
    table.edit();
    table.setValue(1, u"cream"_s);
    table.post();
    QCOMPARE(f.rows(u"select name from item order by id"_s), (QStringList{u"tea"_s, u"cream"_s}));

    table.insert();
    table.setValue(0, u"3"_s);
    table.setValue(1, u"bread"_s);
    table.post();
    // The inserted row is read back: the default price shows.
    QCOMPARE(table.text(2), u"1.00"_s);
    QCOMPARE(f.rows(u"select name from item order by id"_s), (QStringList{u"tea"_s, u"cream"_s, u"bread"_s}));

    table.first();
    table.remove();
    QCOMPARE(f.rows(u"select id from item order by id"_s), (QStringList{u"2"_s, u"3"_s}));
    QCOMPARE(table.recordCount(), 2);
}

void TstEmbeddedDatasets::tableDatasetEditsThroughTheRowIdentity()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"notes"_s);
    f.run(u"create table note (txt varchar(20), n integer)"_s);
    f.run(u"insert into note values ('same', 1)"_s);
    f.run(u"insert into note values ('same', 1)"_s);
    TableDataset table(*f.engine);
    table.open(u"note"_s);
    QCOMPARE(table.fieldCount(), 2);   // the row identity is not shown
    QVERIFY(table.moveTo(1));
    table.setValue(1, u"2"_s);
    table.post();
    // Only the second of two equal rows changed.
    QCOMPARE(f.rows(u"select n from note order by rowid"_s), (QStringList{u"1"_s, u"2"_s}));
}

void TstEmbeddedDatasets::failedPostKeepsWhatTheUserTyped()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"strict"_s);
    f.run(u"create table person (id integer primary key, name varchar(20) not null)"_s);
    f.run(u"insert into person values (1, 'ann')"_s);
    TableDataset table(*f.engine);
    table.open(u"person"_s);
    table.insert();
    table.setValue(0, u"1"_s);
    table.setValue(1, u"bob"_s);
    try {
        table.post();
        QFAIL("a duplicate key was posted");
    } catch (const EngineError &e) {
        QCOMPARE(e.nativeCode(), -268);   // the primary key constraint
    }
    QCOMPARE(table.state(), TableDataset::State::Insert);
    QCOMPARE(table.value(1).toString(), u"bob"_s);
    table.setValue(0, u"2"_s);
    table.post();
    QCOMPARE(f.rows(u"select name from person order by id"_s), (QStringList{u"ann"_s, u"bob"_s}));
}

QUOLL_TEST(TstEmbeddedDatasets);
#include "tst_embeddeddatasets.moc"
