#include "widgets/imagelist.h"
#include "widgets/reportlist.h"

#include "testregistry.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::widgets::ImageList;
using quoll::widgets::ReportList;
using quoll::widgets::ReportListModel;
namespace ListIcon = quoll::widgets::ListIcon;

namespace {

QImage iconImage(const QVariant &decoration)
{
    return decoration.value<QIcon>().pixmap(QSize(16, 16), 1.0).toImage();
}

QImage listIconImage(int index)
{
    return iconImage(ImageList::listIcons().icon(index));
}

std::vector<ReportListModel::Row> sampleRows()
{
    return {{{u"customer"_s, u"informix"_s, u"100"_s}, ListIcon::UserTable, 100},
            {{u"orders"_s, u"ann"_s}, -1, 101},
            {{u"systables"_s, u"informix"_s, u"1"_s}, ListIcon::SystemTable, 1}};
}

} // namespace

class TstReportList : public QObject
{
    Q_OBJECT

private slots:
    void rowsShowTextsAndFirstColumnIcon()
    {
        ReportListModel model({u"Name"_s, u"Owner"_s, u"Id"_s});
        QAbstractItemModelTester tester(&model);
        model.setRows(sampleRows());
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(0, 0).data().toString(), u"customer"_s);
        QCOMPARE(model.index(0, 2).data().toString(), u"100"_s);
        QCOMPARE(model.index(1, 1).data().toString(), u"ann"_s);
        QCOMPARE(model.index(1, 2).data().toString(), QString()); // the row has no third text
        QCOMPARE(model.index(1, 2).data(Qt::UserRole).toInt(), 101);

        QCOMPARE(iconImage(model.index(0, 0).data(Qt::DecorationRole)), listIconImage(ListIcon::UserTable));
        QCOMPARE(iconImage(model.index(2, 0).data(Qt::DecorationRole)), listIconImage(ListIcon::SystemTable));
        QVERIFY(!model.index(0, 1).data(Qt::DecorationRole).isValid());
        QVERIFY(!model.index(1, 0).data(Qt::DecorationRole).isValid()); // icon -1

        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        model.appendRow({{u"items"_s, u"bob"_s}, ListIcon::UserView, 7});
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.index(3, 1).data().toString(), u"bob"_s);
        model.clear();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 3);
    }

    void sortMarkOnOneHeaderSection()
    {
        ReportListModel model({u"A"_s, u"B"_s, u"C"_s, u"D"_s});
        QAbstractItemModelTester tester(&model);
        auto marked = [&model] {
            QList<int> sections;
            for (int s = 0; s < model.columnCount(); ++s)
                if (model.headerData(s, Qt::Horizontal, Qt::DecorationRole).isValid())
                    sections.append(s);
            return sections;
        };
        QVERIFY(marked().isEmpty());

        model.setSortMark(1, Qt::AscendingOrder);
        QCOMPARE(marked(), QList<int>{1});
        QCOMPARE(iconImage(model.headerData(1, Qt::Horizontal, Qt::DecorationRole)),
                 listIconImage(ListIcon::SortAscending));

        // Moving the mark repaints both the old and the new section.
        QSignalSpy changed(&model, &QAbstractItemModel::headerDataChanged);
        model.setSortMark(3, Qt::DescendingOrder);
        QCOMPARE(marked(), QList<int>{3});
        QCOMPARE(iconImage(model.headerData(3, Qt::Horizontal, Qt::DecorationRole)),
                 listIconImage(ListIcon::SortDescending));
        QSet<int> repainted;
        for (const QList<QVariant> &args : changed)
            for (int s = args.at(1).toInt(); s <= args.at(2).toInt(); ++s)
                repainted.insert(s);
        QVERIFY(repainted.contains(1) && repainted.contains(3));

        model.setSortMark(-1, Qt::AscendingOrder);
        QVERIFY(marked().isEmpty());
    }

    void selectsWholeRowsOneAtATime()
    {
        ReportListModel model({u"Name"_s, u"Owner"_s, u"Id"_s});
        model.setRows(sampleRows());
        ReportList list;
        list.setModel(&model);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCOMPARE(list.selectedRow(), -1);

        auto click = [&](int row, int column, Qt::KeyboardModifiers modifiers) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                              list.visualRect(model.index(row, column)).center());
        };
        click(1, 2, {});
        QCOMPARE(list.selectedRow(), 1);
        QCOMPARE(list.selectionModel()->selectedIndexes().size(), 3);
        click(2, 0, Qt::ControlModifier);
        click(0, 1, Qt::ShiftModifier);
        QCOMPARE(list.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(list.selectedRow(), 0);
    }

    void neverEditsInPlace()
    {
        // An editable model shows that the list itself refuses to edit.
        QStandardItemModel model(2, 2);
        model.setItem(0, 0, new QStandardItem(u"text"_s));
        ReportList list;
        list.setModel(&model);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QModelIndex cell = model.index(0, 0);
        list.setCurrentIndex(cell);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(cell).center());
        QTest::keyClick(&list, Qt::Key_F2);
        QTest::keyClicks(&list, u"x"_s);
        QVERIFY(list.findChild<QLineEdit *>() == nullptr);
        QCOMPARE(model.item(0, 0)->text(), u"text"_s);
    }
};

QUOLL_TEST(TstReportList);

#include "tst_reportlist.moc"
