#include "connection/engine/rowstore.h"

#include "fakeengine.h"
#include "testregistry.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::connection::EngineError;
using quoll::connection::RowStore;
using quoll::testing::GeneratedCursor;

namespace {

constexpr qsizetype MB = 1024 * 1024;

// Adds a row field by field, as a cursor does; a null QString is NULL.
void addRow(RowStore &store, const QStringList &values)
{
    store.beginRow();
    for (const QString &value : values) {
        const QByteArray utf8 = value.toUtf8();
        value.isNull() ? store.addNull() : store.addField(utf8.constData(), std::size_t(utf8.size()));
    }
    store.endRow();
}

QStringList rowOf(const RowStore &store, qint64 row)
{
    QStringList values;
    for (int field = 0; field < store.fieldCount(); ++field)
        values.append(store.text(row, field));
    return values;
}

QStringList tagged(const QString &tag)
{
    return {tag + u".0"_s, tag + u".1"_s};
}

QString filler(qint64 row, qsizetype length)
{
    return QString(length, QChar(char16_t(u'a' + row % 26)));
}

} // namespace

class TstRowStore : public QObject
{
    Q_OBJECT

private slots:
    void roundTripsFields_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::newRow("empty text is not NULL") << QStringList{u""_s, QString()};
        QTest::newRow("non-ASCII text") << QStringList{u"Привет, мир"_s, u"日本語 😀"_s};
        QTest::newRow("long field") << QStringList{filler(1, 100'000), QString()};
        QTest::newRow("field bigger than a block") << QStringList{filler(2, 5 * MB + 17), u"z"_s};
        QTest::newRow("row outgrowing a block field by field") << QStringList{filler(3, 3 * MB), filler(4, 3 * MB)};
    }

    // The row stands between two small rows, which must survive the room
    // the big ones needed.
    void roundTripsFields()
    {
        QFETCH(QStringList, values);
        RowStore store(2);
        addRow(store, tagged(u"before"_s));
        addRow(store, values);
        addRow(store, tagged(u"after"_s));
        QCOMPARE(rowOf(store, 0), tagged(u"before"_s));
        QCOMPARE(rowOf(store, 2), tagged(u"after"_s));
        for (int field = 0; field < 2; ++field) {
            QCOMPARE(store.isNull(1, field), values[field].isNull());
            QCOMPARE(store.text(1, field).isNull(), values[field].isNull());
            QCOMPARE(store.utf8(1, field).isNull(), values[field].isNull());
            QCOMPARE(store.text(1, field), values[field]);
            QCOMPARE(store.utf8View(1, field), values[field].toUtf8());
        }
    }

    // Rows up to a few KB and now and then one too big for a shared block;
    // the long field comes last, so rows move with part of their text written.
    void keepsRowsAcrossBlockBoundaries()
    {
        auto rowText = [](qint64 row) {
            const qsizetype length = (row * 7919) % 3000 + (row % 5000 == 2500 ? 5 * MB : 0);
            return QStringList{QString::number(row), row % 3 ? u""_s : QString(), filler(row, length)};
        };
        RowStore store(3);
        for (qint64 row = 0; row < 20'000; ++row)
            addRow(store, rowText(row));
        QCOMPARE(store.rowCount(), 20'000);
        for (qint64 row = 0; row < 20'000; ++row) {
            if (rowOf(store, row) != rowText(row))
                QFAIL(qPrintable(u"row %1 did not read back"_s.arg(row)));
        }
    }

    void editsRows_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<qint64>("row");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("order"); // the rows afterwards; N for the new one
        QTest::newRow("replace first with NULLs") << u"replace"_s << 0LL << QStringList(2) << u"N123"_s;
        QTest::newRow("replace with longer text") << u"replace"_s << 2LL << QStringList{filler(7, 9000), u"ü"_s}
                                                  << u"01N3"_s;
        QTest::newRow("replace with a block-sized value") << u"replace"_s << 3LL
                                                          << QStringList{filler(8, 6 * MB), u""_s} << u"012N"_s;
        QTest::newRow("insert at the front") << u"insert"_s << 0LL << QStringList{u"a"_s, QString()} << u"N0123"_s;
        QTest::newRow("insert in the middle") << u"insert"_s << 2LL << QStringList{u"a"_s, u"b"_s} << u"01N23"_s;
        QTest::newRow("insert at the end") << u"insert"_s << 4LL << QStringList{u""_s, u"b"_s} << u"0123N"_s;
        QTest::newRow("remove first") << u"remove"_s << 0LL << QStringList() << u"123"_s;
        QTest::newRow("remove last") << u"remove"_s << 3LL << QStringList() << u"012"_s;
    }

    void editsRows()
    {
        QFETCH(QString, edit);
        QFETCH(qint64, row);
        QFETCH(QStringList, values);
        QFETCH(QString, order);
        RowStore store(2);
        for (int i = 0; i < 4; ++i)
            addRow(store, tagged(QString::number(i)));
        if (edit == u"replace")
            store.replaceRow(row, values);
        else if (edit == u"insert")
            store.insertRow(row, values);
        else
            store.removeRow(row);
        addRow(store, tagged(u"later"_s));
        QCOMPARE(store.rowCount(), order.size() + 1);
        for (int i = 0; i < order.size(); ++i)
            QCOMPARE(rowOf(store, i), order[i] == u'N' ? values : tagged(order[i]));
        QCOMPARE(rowOf(store, order.size()), tagged(u"later"_s));
    }

    // Editing a long memo again and again must not pile up its old copies.
    void replacingARowOfItsOwnBlockFreesIt()
    {
        RowStore store(1);
        addRow(store, {filler(0, 8 * MB)});
        const std::size_t overhead = store.overheadBytes();
        for (int i = 1; i <= 5; ++i)
            store.replaceRow(0, {filler(i, 8 * MB)});
        QCOMPARE(store.text(0, 0), filler(5, 8 * MB));
        QVERIFY2(store.overheadBytes() < overhead + MB, qPrintable(QString::number(store.overheadBytes())));
    }

    void rejectsRowsWithTheWrongFieldCount_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::newRow("too few") << QStringList{u"a"_s};
        QTest::newRow("too many") << QStringList{u"a"_s, u"b"_s, QString()};
        QTest::newRow("none") << QStringList();
    }

    void rejectsRowsWithTheWrongFieldCount()
    {
        QFETCH(QStringList, values);
        RowStore store(2);
        addRow(store, tagged(u"0"_s));
        QVERIFY_THROWS_EXCEPTION(EngineError, addRow(store, values));
        addRow(store, tagged(u"1"_s));
        QCOMPARE(store.rowCount(), 2);
        QCOMPARE(rowOf(store, 0), tagged(u"0"_s));
        QCOMPARE(rowOf(store, 1), tagged(u"1"_s));
    }

    // A cursor that finds no more rows, or fails, leaves a row begun.
    void unfinishedRowsLeaveNoTrace()
    {
        RowStore store(2);
        addRow(store, tagged(u"kept"_s));
        const std::size_t overhead = store.overheadBytes();
        const QByteArray big(6 * MB, 'q');
        store.beginRow();
        store.addField(big.constData(), std::size_t(big.size()));
        store.abandonRow();
        store.beginRow();
        store.addField("half", 4);
        addRow(store, tagged(u"next"_s)); // beginRow() drops the half row
        QCOMPARE(store.rowCount(), 2);
        QCOMPARE(rowOf(store, 1), tagged(u"next"_s));
        QVERIFY2(store.overheadBytes() < overhead + 1024, qPrintable(QString::number(store.overheadBytes())));
    }

    void overheadPerRowStaysUnder100Bytes()
    {
        RowStore store(5);
        GeneratedCursor cursor(5, 200'000);
        for (store.beginRow(); cursor.fetch(store); store.beginRow())
            store.endRow();
        store.abandonRow();
        const double perRow = double(store.overheadBytes()) / double(store.rowCount());
        qInfo("overhead per 5-field row: %.1f bytes", perRow);
        QVERIFY2(perRow < 100, qPrintable(QString::number(perRow)));
        for (qint64 row : {0, 9, 16'383, 16'384, 199'999}) {
            for (int field = 0; field < 5; ++field)
                QCOMPARE(store.text(row, field), GeneratedCursor::cellText(row, field));
        }
    }
};

QUOLL_TEST(TstRowStore);

#include "tst_rowstore.moc"
