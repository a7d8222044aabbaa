#include "testregistry.h"

#include "catalog/procinfo.h"
#include "catalog/tableinfo.h"
#include "catalog/typeahead.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::catalog;

// Typing the first letters of a name in the table list finds the table.
class TstTypeAhead : public QObject
{
    Q_OBJECT

private slots:
    void findsByPrefix_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<int>("found");
        // The list: 0 customer, 1 orders, 2 systables, 3 syscolumns,
        // 4 Склад, 5 склад_2, 6 zeta.
        QTest::newRow("from the top") << u"ord"_s << 0 << false << 1;
        QTest::newRow("upper case finds lower") << u"SYS"_s << 0 << false << 2;
        QTest::newRow("lower case finds the same") << u"sys"_s << 0 << false << 2;
        QTest::newRow("at the start row") << u"sys"_s << 2 << false << 2;
        QTest::newRow("after the start row") << u"sys"_s << 3 << false << 3;
        QTest::newRow("the last row") << u"z"_s << 6 << false << 6;
        QTest::newRow("above the start, no wrap") << u"cus"_s << 1 << false << -1;
        QTest::newRow("above the start, wrapping") << u"cus"_s << 1 << true << 0;
        QTest::newRow("wrap finds below the start first") << u"sys"_s << 3 << true << 3;
        QTest::newRow("Cyrillic: the case as typed") << u"Ск"_s << 0 << false << 4;
        QTest::newRow("Cyrillic: other case is another letter") << u"ск"_s << 0 << false << 5;
        QTest::newRow("Cyrillic upper finds no lower") << u"СКЛАД_"_s << 0 << true << -1;
        QTest::newRow("longer than every name") << u"customers"_s << 0 << true << -1;
        QTest::newRow("nothing typed matches the start row") << QString() << 3 << false << 3;
    }
    void findsByPrefix()
    {
        QFETCH(QString, typed);
        QFETCH(int, start);
        QFETCH(bool, wrap);
        QFETCH(int, found);
        TableInfoList records;
        for (const QString &name : {u"customer"_s, u"orders"_s, u"systables"_s, u"syscolumns"_s, u"Склад"_s,
                                    u"склад_2"_s, u"zeta"_s}) {
            TableInfo info;
            info.name = name;
            records.push_back(info);
        }
        QCOMPARE(findByNamePrefix(records, typed, start, wrap), found);
    }

    void anEmptyListFindsNothing()
    {
        QCOMPARE(findByNamePrefix(TableInfoList(), u"a"_s, 0, true), -1);
        // The routine list finds the same way.
        ProcInfoList routines(2);
        routines[0].name = u"sp_load"_s;
        routines[1].name = u"sp_purge"_s;
        QCOMPARE(findByNamePrefix(routines, u"SP_P"_s, 0, false), 1);
    }
};

QUOLL_TEST(TstTypeAhead);
#include "tst_typeahead.moc"
