#include "catalog/tablelistmodel.h"

#include "widgets/imagelist.h"

#include "testregistry.h"

#include <QAbstractItemModelTester>
#include <QLocale>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::catalog::TableInfo;
using quoll::catalog::TableInfoList;
using quoll::catalog::TableListModel;
namespace ListIcon = quoll::widgets::ListIcon;

namespace {

QImage iconImage(const QVariant &decoration)
{
    return decoration.value<QIcon>().pixmap(QSize(16, 16), 1.0).toImage();
}

QImage listIconImage(int index)
{
    return iconImage(quoll::widgets::ImageList::listIcons().icon(index));
}

TableInfo sampleTable(QChar tabtype = u'T', int tabid = 1234567)
{
    return {u"заказы"_s, u"informix"_s, tabid, -1, 12, 3, 2500000, QDate(2021, 11, 30), tabtype.unicode(), u'R'};
}

} // namespace

class TstTableListModel : public QObject
{
    Q_OBJECT

private slots:
    void captionsInOrder()
    {
        TableListModel model;
        QAbstractItemModelTester tester(&model);
        const QStringList expected{u"Table"_s, u"Owner"_s, u"Tabid"_s, u"ncols"_s, u"nrows"_s,
                                   u"rowsize"_s, u"nindexes"_s, u"created"_s, u"locklevel"_s};
        QCOMPARE(model.columnCount(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(model.headerData(i, Qt::Horizontal).toString(), expected[i]);
    }

    void iconFollowsTypeAndTabid_data()
    {
        QTest::addColumn<QChar>("tabtype");
        QTest::addColumn<int>("tabid");
        QTest::addColumn<int>("icon");
        QTest::newRow("first user table") << QChar(u'T') << 100 << int(ListIcon::UserTable);
        QTest::newRow("last system table") << QChar(u'T') << 99 << int(ListIcon::SystemTable);
        QTest::newRow("first user view") << QChar(u'V') << 100 << int(ListIcon::UserView);
        QTest::newRow("last system view") << QChar(u'V') << 99 << int(ListIcon::SystemView);
        QTest::newRow("system view") << QChar(u'V') << 1 << int(ListIcon::SystemView);
    }

    void iconFollowsTypeAndTabid()
    {
        QFETCH(QChar, tabtype);
        QFETCH(int, tabid);
        QFETCH(int, icon);
        const TableInfoList records{sampleTable(tabtype, tabid)};
        QCOMPARE(TableListModel::iconOf(records[0]), icon);
        TableListModel model;
        QAbstractItemModelTester tester(&model);
        model.setRecords(&records);
        QCOMPARE(iconImage(model.index(0, 0).data(Qt::DecorationRole)), listIconImage(icon));
        for (int column = 1; column < model.columnCount(); ++column)
            QVERIFY(!model.index(0, column).data(Qt::DecorationRole).isValid());
    }

    void cellTexts()
    {
        const TableInfoList records{sampleTable()};
        TableListModel model;
        QAbstractItemModelTester tester(&model);
        model.setRecords(&records);
        // Numbers in plain decimal, without the locale's digit grouping.
        const QStringList expected{u"заказы"_s, u"informix"_s, u"1234567"_s, u"12"_s, u"2500000"_s, u"-1"_s,
                                   u"3"_s, QLocale::system().toString(QDate(2021, 11, 30), QLocale::ShortFormat),
                                   u"R"_s};
        for (int column = 0; column < expected.size(); ++column)
            QCOMPARE(model.index(0, column).data().toString(), expected[column]);
    }

    void sortStateMarksOneSection_data()
    {
        QTest::addColumn<int>("sortState");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("icon");
        QTest::newRow("first ascending") << 1 << 0 << int(ListIcon::SortAscending);
        QTest::newRow("first descending") << -1 << 0 << int(ListIcon::SortDescending);
        QTest::newRow("nrows ascending") << 5 << 4 << int(ListIcon::SortAscending);
        QTest::newRow("locklevel descending") << -9 << 8 << int(ListIcon::SortDescending);
        QTest::newRow("unsorted") << 0 << -1 << -1;
    }

    void sortStateMarksOneSection()
    {
        QFETCH(int, sortState);
        QFETCH(int, section);
        QFETCH(int, icon);
        TableListModel model;
        QAbstractItemModelTester tester(&model);
        model.setSortState(3); // a mark elsewhere first: it must move
        model.setSortState(sortState);
        for (int s = 0; s < model.columnCount(); ++s) {
            const QVariant mark = model.headerData(s, Qt::Horizontal, Qt::DecorationRole);
            if (s == section)
                QCOMPARE(iconImage(mark), listIconImage(icon));
            else
                QVERIFY2(!mark.isValid(), qPrintable(QString::number(s)));
        }
    }

    void rowsFollowTheRecords()
    {
        TableListModel model;
        QAbstractItemModelTester tester(&model);
        QCOMPARE(model.rowCount(), 0);
        TableInfoList records{sampleTable()};
        model.setRecords(&records);
        QCOMPARE(model.rowCount(), 1);

        records.front().name = u"orders"_s;
        records.push_back(sampleTable());
        records.back().name = u"items"_s;
        model.recordsReset();
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(0, 0).data().toString(), u"orders"_s);
        QCOMPARE(model.index(1, 0).data().toString(), u"items"_s);

        model.setRecords(nullptr);
        QCOMPARE(model.rowCount(), 0);
    }
};

QUOLL_TEST(TstTableListModel);

#include "tst_tablelistmodel.moc"
