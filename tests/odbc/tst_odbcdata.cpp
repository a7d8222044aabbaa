#include "odbcfixture.h"
#include "testregistry.h"

#include "connection/engine/database.h"
#include "connection/engine/dataset.h"
#include "connection/engine/query.h"
#include "connection/engine/tabledataset.h"
#include "connection/engine/engineerror.h"
#include "connection/odbc/odbccursor.h"
#include "connection/odbc/odbcengine.h"

#include <QDate>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sqlext.h>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using namespace quoll::connection::odbc;
using quoll::testing::CollectingSink;
using quoll::testing::SqliteOdbc;

// Values through the ODBC back end: field types, long values, bound
// parameters, large results read lazily, and rows edited through data sets.
class TstOdbcData : public QObject
{
    Q_OBJECT

private slots:
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
        QCOMPARE(fieldTypeName(field.type), type);
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

};

QUOLL_TEST(TstOdbcData);

#include "tst_odbcdata.moc"
