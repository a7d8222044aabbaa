#include "connection/engine/tabledataset.h"

#include "fakeengine.h"
#include "testregistry.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::connection::EngineError;
using quoll::connection::FieldType;
using quoll::connection::TableDataset;
using quoll::testing::FakeEngine;
using quoll::testing::FakeTable;
using State = TableDataset::State;

namespace {

// person: a serial key, a default town. stock: a two-column key, a
// default amount. notes: no key, a default author. visits and "my notes":
// names that need quotes. Row identities start at 257 in every table.
std::unique_ptr<FakeEngine> makeEngine()
{
    auto engine = std::make_unique<FakeEngine>();
    auto add = [&](const QString &name, const QStringList &columns, const QList<FieldType> &types,
                   const QStringList &key) -> FakeTable & {
        FakeTable &table = engine->tables[name];
        for (int i = 0; i < columns.size(); ++i)
            table.fields.append({columns[i], types.value(i, FieldType::String), 20, 0, true});
        table.primaryKey = key;
        table.defaults.resize(columns.size());
        return table;
    };
    FakeTable &person = add(u"person"_s, {u"person_id"_s, u"name"_s, u"surname"_s, u"town"_s},
                            {FieldType::AutoInc}, {u"person_id"_s});
    person.defaults[3] = u"Sydney"_s;
    person.append({101, u"Ada"_s, u"Moss"_s, u"Hobart"_s});
    person.append({102, u"Ben"_s, u"Reed"_s, QVariant()});
    person.append({103, u"Cleo"_s, u"Hart"_s, u"Perth"_s});
    person.nextSerial = 104;
    FakeTable &stock = add(u"stock"_s, {u"shelf"_s, u"slot"_s, u"amount"_s},
                           {FieldType::Integer, FieldType::SmallInt, FieldType::Integer}, {u"shelf"_s, u"slot"_s});
    stock.defaults[2] = 1;
    stock.append({1001, 1, 1});
    stock.append({1001, 2, 5});
    stock.append({1002, 1, 2});
    FakeTable &notes = add(u"notes"_s, {u"author"_s, u"body"_s}, {}, {});
    notes.defaults[0] = u"guest"_s;
    notes.append({u"ann"_s, u"first"_s});
    notes.append({u"bob"_s, QVariant()});
    notes.append({u"cy"_s, u"third"_s});
    add(u"visits"_s, {u"visit_id"_s, u"visit date"_s}, {FieldType::Integer}, {u"visit_id"_s})
        .append({1001, u"2024-05-20"_s});
    add(u"my notes"_s, {u"note"_s}, {}, {}).append({u"remember"_s});
    return engine;
}

// Bound values with their types: "NULL", "qlonglong 102", "QString Reed".
QStringList describe(const QList<QVariant> &values)
{
    QStringList text;
    for (const QVariant &value : values)
        text.append(value.isNull() ? u"NULL"_s : QString::fromLatin1(value.typeName()) + u' ' + value.toString());
    return text;
}

// "<current row>", plus "b" at the beginning and "e" at the end.
QString position(const TableDataset &set)
{
    return QString::number(set.currentRow()) + (set.atBeginning() ? u"b"_s : QString())
        + (set.atEnd() ? u"e"_s : QString());
}

QStringList storedRow(const TableDataset &set, qint64 row)
{
    QStringList text;
    for (int field = 0; field < set.fieldCount(); ++field)
        text.append(set.text(row, field));
    return text;
}

} // namespace

class TstTableDataset : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheRightSelect_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("identity");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("fields");
        QTest::newRow("primary key") << u"person"_s << true << u"SELECT * FROM person"_s << 4;
        QTest::newRow("row identity, not a field") << u"notes"_s << true << u"SELECT rowid, * FROM notes"_s << 2;
        QTest::newRow("neither") << u"notes"_s << false << u"SELECT * FROM notes"_s << 2;
        QTest::newRow("name that needs quotes") << u"my notes"_s << true << u"SELECT rowid, * FROM \"my notes\""_s << 1;
    }

    // Browsing reads lazily and never asks the server again.
    void opensWithTheRightSelect()
    {
        QFETCH(QString, table);
        QFETCH(bool, identity);
        QFETCH(QString, sql);
        QFETCH(int, fields);
        auto engine = makeEngine();
        engine->hasRowIdentity = identity;
        TableDataset set(*engine);
        set.open(table);
        QCOMPARE(set.fieldCount(), fields);
        QCOMPARE(set.fields().first().name, engine->tables[table].fields.first().name);
        QCOMPARE(engine->fetched.rows, 1);
        set.last();
        set.first();
        set.next();
        QCOMPARE(engine->log.size(), 1);
        QCOMPARE(engine->log.first().sql, sql);
        QCOMPARE(engine->fetched.rows, engine->tables[table].rows.size());
    }

    void postWritesOneStatement_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<qint64>("row");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("bound");
        QTest::newRow("update by primary key")
            << u"person"_s << 1LL << u"edit"_s
            << QVariantMap{{u"surname"_s, u"Reed-Hill"_s}, {u"town"_s, QVariant()}}
            << u"UPDATE person SET surname = ?, town = ? WHERE person_id = ?"_s
            << QStringList{u"QString Reed-Hill"_s, u"NULL"_s, u"qlonglong 102"_s};
        QTest::newRow("update by two-column key")
            << u"stock"_s << 1LL << u"edit"_s << QVariantMap{{u"amount"_s, 7}}
            << u"UPDATE stock SET amount = ? WHERE shelf = ? AND slot = ?"_s
            << QStringList{u"int 7"_s, u"qlonglong 1001"_s, u"qlonglong 2"_s};
        QTest::newRow("update by row identity")
            << u"notes"_s << 1LL << u"edit"_s << QVariantMap{{u"body"_s, u"second"_s}}
            << u"UPDATE notes SET body = ? WHERE rowid = ?"_s << QStringList{u"QString second"_s, u"qlonglong 258"_s};
        QTest::newRow("column that needs quotes") << u"visits"_s << 0LL << u"edit"_s
                                                  << QVariantMap{{u"visit date"_s, u"2024-06-01"_s}}
                                                  << u"UPDATE visits SET \"visit date\" = ? WHERE visit_id = ?"_s
                                                  << QStringList{u"QString 2024-06-01"_s, u"qlonglong 1001"_s};
        QTest::newRow("insert lists only the fields set")
            << u"person"_s << 0LL << u"insert"_s
            << QVariantMap{{u"surname"_s, u"Vale"_s}, {u"name"_s, u"Dora"_s}}
            << u"INSERT INTO person (name, surname) VALUES (?, ?)"_s
            << QStringList{u"QString Dora"_s, u"QString Vale"_s};
        QTest::newRow("delete by primary key") << u"person"_s << 2LL << u"remove"_s << QVariantMap()
                                               << u"DELETE FROM person WHERE person_id = ?"_s
                                               << QStringList{u"qlonglong 103"_s};
        QTest::newRow("delete by row identity") << u"notes"_s << 0LL << u"remove"_s << QVariantMap()
                                                << u"DELETE FROM notes WHERE rowid = ?"_s
                                                << QStringList{u"qlonglong 257"_s};
    }

    // The statement, its bound values, and what the set shows afterwards.
    void postWritesOneStatement()
    {
        QFETCH(QString, table);
        QFETCH(qint64, row);
        QFETCH(QString, action);
        QFETCH(QVariantMap, values);
        QFETCH(QString, sql);
        QFETCH(QStringList, bound);
        auto engine = makeEngine();
        TableDataset set(*engine);
        set.open(table);
        const qint64 count = set.recordCount();
        set.moveTo(row);
        engine->log.clear();
        if (action == u"edit")
            set.edit();
        else if (action == u"insert")
            set.insert();
        else
            set.remove();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            set.setValue(set.fieldIndex(it.key()), it.value());
        set.post();

        QVERIFY(!engine->log.isEmpty());
        QCOMPARE(engine->log.first().sql, sql);
        QCOMPARE(describe(engine->log.first().values), bound);
        QCOMPARE(set.state(), State::Browse);
        QCOMPARE(set.fetchedCount(), count + (action == u"insert") - (action == u"remove"));
        QCOMPARE(engine->tables[table].rows.size(), set.fetchedCount());
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            QCOMPARE(set.text(set.fieldIndex(it.key())), it.value().toString());
    }

    void insertReadsTheRowBack_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("identity");
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<QString>("sql"); // of the read-back; empty for none
        QTest::addColumn<QString>("bound");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("by primary key") << u"stock"_s << true << QVariantMap{{u"shelf"_s, 1003}, {u"slot"_s, 1}}
                                        << u"SELECT * FROM stock WHERE shelf = ? AND slot = ?"_s
                                        << u"int 1003,int 1"_s << QStringList{u"1003"_s, u"1"_s, u"1"_s};
        QTest::newRow("by the serial number made") << u"person"_s << true << QVariantMap{{u"name"_s, u"Al"_s}}
                                                   << u"SELECT * FROM person WHERE person_id = ?"_s
                                                   << u"qlonglong 104"_s
                                                   << QStringList{u"104"_s, u"Al"_s, QString(), u"Sydney"_s};
        QTest::newRow("by the serial number for a 0")
            << u"person"_s << false << QVariantMap{{u"person_id"_s, 0}, {u"name"_s, u"Al"_s}}
            << u"SELECT * FROM person WHERE person_id = ?"_s << u"qlonglong 104"_s
            << QStringList{u"104"_s, u"Al"_s, QString(), u"Sydney"_s};
        QTest::newRow("by row identity") << u"notes"_s << true << QVariantMap{{u"body"_s, u"fourth"_s}}
                                         << u"SELECT rowid, * FROM notes WHERE rowid = ?"_s << u"qlonglong 260"_s
                                         << QStringList{u"guest"_s, u"fourth"_s};
        QTest::newRow("by row identity when a key value is missing")
            << u"stock"_s << true << QVariantMap{{u"amount"_s, 9}} << u"SELECT * FROM stock WHERE rowid = ?"_s
            << u"qlonglong 260"_s << QStringList{QString(), QString(), u"9"_s};
        QTest::newRow("not found again: shows what was entered") << u"notes"_s << false
                                                                 << QVariantMap{{u"body"_s, u"fourth"_s}} << QString()
                                                                 << QString() << QStringList{QString(), u"fourth"_s};
    }

    void insertReadsTheRowBack()
    {
        QFETCH(QString, table);
        QFETCH(bool, identity);
        QFETCH(QVariantMap, values);
        QFETCH(QString, sql);
        QFETCH(QString, bound);
        QFETCH(QStringList, shown);
        auto engine = makeEngine();
        engine->hasRowIdentity = identity;
        TableDataset set(*engine);
        set.open(table);
        set.last();
        engine->log.clear();
        set.insert();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            set.setValue(set.fieldIndex(it.key()), it.value());
        set.post();
        QCOMPARE(engine->log.size(), sql.isEmpty() ? 1 : 2);
        if (!sql.isEmpty()) {
            QCOMPARE(engine->log.last().sql, sql);
            QCOMPARE(describe(engine->log.last().values).join(u','), bound);
        }
        QCOMPARE(set.currentRow(), 3);
        QCOMPARE(storedRow(set, 3), shown);
        QCOMPARE(set.isNull(3, 0), shown[0].isNull());
    }

    void failedPostKeepsBufferAndState_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<bool>("rowGone");
        QTest::newRow("update refused by the server") << false << false;
        QTest::newRow("insert refused by the server") << true << false;
        QTest::newRow("update of a row deleted meanwhile") << false << true;
    }

    void failedPostKeepsBufferAndState()
    {
        QFETCH(bool, insert);
        QFETCH(bool, rowGone);
        auto engine = makeEngine();
        TableDataset set(*engine);
        set.open(u"person"_s);
        set.recordCount();
        set.moveTo(1);
        if (insert)
            set.insert();
        set.setValue(2, u"Typed"_s); // starts editing when browsing
        const State state = set.state();
        const QString stored = set.text(2);
        if (rowGone)
            engine->tables[u"person"_s].rows.removeAt(1);
        else
            engine->failNext = EngineError(-268, u"Unique constraint (informix.u101_1) violated."_s);
        try {
            set.post();
            QFAIL("the post did not fail");
        } catch (const EngineError &error) {
            QCOMPARE(error.nativeCode(), rowGone ? 0 : -268);
        }
        QCOMPARE(set.state(), state);
        QVERIFY(set.isModified());
        QCOMPARE(set.value(2), QVariant(u"Typed"_s));
        QCOMPARE(set.text(2), stored);
        QCOMPARE(set.fetchedCount(), insert ? 4 : 3);
        if (!rowGone) {
            set.post();
            QCOMPARE(set.text(2), u"Typed"_s);
            QCOMPARE(set.state(), State::Browse);
        }
    }

    void cancelDropsTheBuffer_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::newRow("edit") << false;
        QTest::newRow("insert") << true;
    }

    void cancelDropsTheBuffer()
    {
        QFETCH(bool, insert);
        auto engine = makeEngine();
        TableDataset set(*engine);
        set.open(u"person"_s);
        set.recordCount();
        set.moveTo(1);
        engine->log.clear();
        QSignalSpy states(&set, &TableDataset::stateChanged);
        if (insert) {
            set.insert();
            QCOMPARE(set.currentRow(), 2);
            QCOMPARE(set.fetchedCount(), 4);
        }
        set.setValue(1, u"Typed"_s);
        set.cancel();
        QCOMPARE(set.state(), State::Browse);
        QCOMPARE(states.count(), 2);
        QCOMPARE(set.currentRow(), 1);
        QCOMPARE(set.fetchedCount(), 3);
        QCOMPARE(storedRow(set, 1), (QStringList{u"102"_s, u"Ben"_s, u"Reed"_s, QString()}));
        QCOMPARE(storedRow(set, 2), (QStringList{u"103"_s, u"Cleo"_s, u"Hart"_s, u"Perth"_s}));
        QVERIFY(engine->log.isEmpty());
    }

    void movingAwayPostsAChangeAndDropsAnUntouchedRow()
    {
        auto engine = makeEngine();
        TableDataset set(*engine);
        set.open(u"person"_s);
        set.insert();
        set.next();
        QCOMPARE(engine->log.size(), 1);
        QCOMPARE(set.fetchedCount(), 2);
        QCOMPARE(set.text(0), u"102"_s);

        set.setValue(2, u"Moved"_s);
        set.next();
        QCOMPARE(engine->log.last().sql, u"UPDATE person SET surname = ? WHERE person_id = ?"_s);
        QCOMPARE(set.text(1, 2), u"Moved"_s);

        set.setValue(2, u"Stuck"_s);
        engine->failNext = EngineError(-346, u"Could not update a row in the table."_s);
        QVERIFY_THROWS_EXCEPTION(EngineError, set.first());
        QCOMPARE(set.currentRow(), 2);
        QCOMPARE(set.value(2), QVariant(u"Stuck"_s));
    }

    void removeKeepsThePosition()
    {
        auto engine = makeEngine();
        TableDataset set(*engine);
        set.open(u"person"_s);
        // Writing reads the rest of the table first, so that the cursor
        // cannot meet the rows the write changed; the next row takes the
        // deleted one's place.
        set.remove();
        QCOMPARE(set.fetchedCount(), 2);
        QCOMPARE(set.text(0), u"102"_s);
        set.last();
        set.prior();
        set.remove();
        QCOMPARE(set.currentRow(), 0);
        QCOMPARE(set.text(0), u"103"_s);
        set.remove();
        QCOMPARE(position(set), u"-1be"_s);
        QVERIFY(engine->tables[u"person"_s].rows.isEmpty());
        QVERIFY_THROWS_EXCEPTION(EngineError, set.remove());
    }

    void refreshReadsAgainKeepingTheRowIndex()
    {
        auto engine = makeEngine();
        TableDataset set(*engine);
        set.open(u"person"_s);
        set.moveTo(2);
        const auto mark = set.bookmark();
        FakeTable &table = engine->tables[u"person"_s];
        table.rows[2].values[2] = u"Hart-Lowe"_s;
        table.append({104, u"Dora"_s, u"Vale"_s, QVariant()});
        QSignalSpy resets(&set, &TableDataset::reset);
        set.refresh();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(set.currentRow(), 2);
        QCOMPARE(set.text(2), u"Hart-Lowe"_s);
        QVERIFY(!set.gotoBookmark(mark));
        QCOMPARE(set.recordCount(), 4);

        table.rows.resize(1);
        set.refresh();
        QCOMPARE(position(set), u"0e"_s);
        QCOMPARE(engine->log.size(), 3);
    }

    void rowsWithoutKeyOrIdentityCannotBeChanged()
    {
        auto engine = makeEngine();
        engine->hasRowIdentity = false;
        TableDataset set(*engine);
        set.open(u"notes"_s);
        QVERIFY_THROWS_EXCEPTION(EngineError, set.edit());
        QVERIFY_THROWS_EXCEPTION(EngineError, set.setValue(0, u"x"_s));
        QVERIFY_THROWS_EXCEPTION(EngineError, set.remove());
        QCOMPARE(set.state(), State::Browse);
        QCOMPARE(engine->log.size(), 1);
    }
};

QUOLL_TEST(TstTableDataset);

#include "tst_tabledataset.moc"
