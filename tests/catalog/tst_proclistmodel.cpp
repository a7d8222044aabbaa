#include "catalog/proclistmodel.h"

#include "testregistry.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::catalog::ProcInfoList;
using quoll::catalog::ProcListModel;

class TstProcListModel : public QObject
{
    Q_OBJECT

private slots:
    void captionsAndCellTexts()
    {
        const ProcInfoList records{{u"add_order"_s, u"informix"_s, 1048576, u'O', true},
                                   {u"расчёт"_s, u"ann"_s, -3, u'D', false}};
        ProcListModel model;
        QAbstractItemModelTester tester(&model);
        model.setRecords(&records);

        const QStringList captions{u"Procedure"_s, u"Owner"_s, u"ProcId"_s, u"Mode"_s};
        QCOMPARE(model.columnCount(), captions.size());
        const QStringList first{u"add_order"_s, u"informix"_s, u"1048576"_s, u"O"_s};
        const QStringList second{u"расчёт"_s, u"ann"_s, u"-3"_s, u"D"_s};
        for (int column = 0; column < captions.size(); ++column) {
            QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
            QCOMPARE(model.index(0, column).data().toString(), first[column]);
            QCOMPARE(model.index(1, column).data().toString(), second[column]);
        }
        QVERIFY(!model.index(0, 0).data(Qt::DecorationRole).isValid());
    }

    void rowsFollowTheRecords()
    {
        ProcInfoList records;
        ProcListModel model;
        QAbstractItemModelTester tester(&model);
        model.setRecords(&records);
        QCOMPARE(model.rowCount(), 0);

        records.push_back({u"p1"_s, u"ann"_s, 1, u'O', true});
        records.push_back({u"p2"_s, u"bob"_s, 2, u'O', true});
        model.recordsReset();
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(1, 1).data().toString(), u"bob"_s);

        model.setRecords(nullptr);
        QCOMPARE(model.rowCount(), 0);
    }
};

QUOLL_TEST(TstProcListModel);

#include "tst_proclistmodel.moc"
