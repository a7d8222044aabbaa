#include "testregistry.h"

#include "catalog/listsort.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::catalog;

namespace {

TableInfo record(const QString &name, const QString &owner, int tabid, int ncols, int nrows, int rowsize,
                 int nindexes, QDate created, char16_t locklevel)
{
    TableInfo info;
    info.name = name;
    info.owner = owner;
    info.tabid = tabid;
    info.ncols = ncols;
    info.nrows = nrows;
    info.rowsize = rowsize;
    info.nindexes = nindexes;
    info.created = created;
    info.locklevel = locklevel;
    return info;
}

// Every column orders these five differently.
TableInfoList fiveTables()
{
    return {
        record(u"beta"_s, u"informix"_s, 102, 3, 1000, 40, 2, QDate(2024, 3, 1), u'P'),
        record(u"Alpha"_s, u"zoe"_s, 250, 12, 5, 400, 0, QDate(2023, 1, 9), u'R'),
        record(u"gamma"_s, u"Anna"_s, 101, 1, 77, 8, 5, QDate(2025, 6, 30), u'B'),
        record(u"delta2"_s, u"bob"_s, 7, 30, 0, 2000, 1, QDate(2022, 12, 1), u'T'),
        record(u"Delta10"_s, u"Carl"_s, 99, 7, 300000, 16, 3, QDate(2024, 11, 5), u'p'),
    };
}

QStringList names(const TableInfoList &records)
{
    QStringList out;
    for (const TableInfo &info : records)
        out.append(info.name);
    return out;
}

} // namespace

// Column-click sorting of the table list: a wrong order hides the table the
// user looks for.
class TstListSort : public QObject
{
    Q_OBJECT

private slots:
    void sortStateFollowsTheClicks_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("next");
        QTest::newRow("unsorted, first click") << 0 << 3 << 3;
        QTest::newRow("same column reverses") << 3 << 3 << -3;
        QTest::newRow("and back") << -3 << 3 << 3;
        QTest::newRow("another column starts ascending") << -3 << 5 << 5;
        QTest::newRow("from ascending to another") << 2 << 1 << 1;
    }
    void sortStateFollowsTheClicks()
    {
        QFETCH(int, state);
        QFETCH(int, column);
        QFETCH(int, next);
        QCOMPARE(nextSortState(state, column), next);
    }

    void eachColumnHasItsOrder_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("ascending");
        // Names and owners without regard to case; numbers as numbers.
        QTest::newRow("Table") << 1
                               << QStringList{u"Alpha"_s, u"beta"_s, u"Delta10"_s, u"delta2"_s, u"gamma"_s};
        QTest::newRow("Owner") << 2
                               << QStringList{u"gamma"_s, u"delta2"_s, u"Delta10"_s, u"beta"_s, u"Alpha"_s};
        QTest::newRow("Tabid") << 3
                               << QStringList{u"delta2"_s, u"Delta10"_s, u"gamma"_s, u"beta"_s, u"Alpha"_s};
        QTest::newRow("ncols") << 4
                               << QStringList{u"gamma"_s, u"beta"_s, u"Delta10"_s, u"Alpha"_s, u"delta2"_s};
        QTest::newRow("nrows") << 5
                               << QStringList{u"delta2"_s, u"Alpha"_s, u"gamma"_s, u"beta"_s, u"Delta10"_s};
        QTest::newRow("rowsize") << 6
                                 << QStringList{u"gamma"_s, u"Delta10"_s, u"beta"_s, u"Alpha"_s, u"delta2"_s};
        QTest::newRow("nindexes") << 7
                                  << QStringList{u"Alpha"_s, u"delta2"_s, u"beta"_s, u"Delta10"_s, u"gamma"_s};
        QTest::newRow("created") << 8
                                 << QStringList{u"delta2"_s, u"Alpha"_s, u"beta"_s, u"Delta10"_s, u"gamma"_s};
        // By character code: upper case before lower.
        QTest::newRow("locklevel") << 9
                                   << QStringList{u"gamma"_s, u"beta"_s, u"Alpha"_s, u"delta2"_s, u"Delta10"_s};
    }
    void eachColumnHasItsOrder()
    {
        QFETCH(int, column);
        QFETCH(QStringList, ascending);
        TableInfoList records = fiveTables();
        sortTableInfos(records, column);
        QCOMPARE(names(records), ascending);
        sortTableInfos(records, -column);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(names(records), descending);
    }

    // Tables made the same day are equal for the "created" column, and a
    // sort of thousands keeps every record.
    void equalKeysKeepEveryRecord()
    {
        TableInfoList records;
        for (int i = 0; i < 5000; ++i)
            records.push_back(record(u"t%1"_s.arg(i), u"o%1"_s.arg(i % 3), i, i % 7, 0, 0, 0,
                                     QDate(2024, 1, 1 + i % 3), u'P'));
        sortTableInfos(records, 8);
        for (size_t i = 1; i < records.size(); ++i)
            QVERIFY(records[i - 1].created <= records[i].created);
        sortTableInfos(records, -2);
        for (size_t i = 1; i < records.size(); ++i)
            QVERIFY(compareListTexts(records[i - 1].owner, records[i].owner) >= 0);
        QStringList all = names(records);
        all.sort();
        all.removeDuplicates();
        QCOMPARE(all.size(), 5000);
    }

    void detailTextsCompareAsText_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("numbers as text") << u"100"_s << u"20"_s << -1;
        QTest::newRow("case ignored") << u"Name"_s << u"name"_s << 0;
        QTest::newRow("letters in order") << u"abc"_s << u"ABD"_s << -1;
        QTest::newRow("empty first") << QString() << u"a"_s << -1;
        QTest::newRow("Cyrillic") << u"ящик"_s << u"Арбуз"_s << 1;
    }
    void detailTextsCompareAsText()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        const int order = compareListTexts(a, b);
        QCOMPARE(order < 0 ? -1 : order > 0 ? 1 : 0, sign);
    }
};

QUOLL_TEST(TstListSort);
#include "tst_listsort.moc"
