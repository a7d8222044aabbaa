#include "results/dbnavigator.h"
#include "results/gridpage.h"

#include "testregistry.h"

#include <QHeaderView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::results::DBNavigator;
using quoll::results::GridPage;

class TstGridPage : public QObject
{
    Q_OBJECT

private slots:
    void toolBarStandsAboveGrid()
    {
        GridPage page({u"tsOutput"_s, u"ToolBar11"_s, u"DBGrid1"_s, QString()});
        page.toolBar()->addAction(u"Run"_s);
        page.resize(500, 400);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.findChild<QToolBar *>(u"ToolBar11"_s), page.toolBar());
        QCOMPARE(page.findChild<QTableView *>(u"DBGrid1"_s), page.grid());
        QVERIFY(page.findChild<DBNavigator *>() == nullptr);
        QVERIFY(page.toolBar()->geometry().bottom() < page.grid()->geometry().top());
        QVERIFY(page.grid()->height() > page.height() / 2);
    }

    void navigatorLeadsTheToolBar()
    {
        GridPage page({u"tsTable"_s, u"ToolBar12"_s, u"DBGrid2"_s, u"DBNavigator2"_s});
        page.toolBar()->addAction(u"Export"_s);
        QVERIFY(page.navigator());
        QCOMPARE(page.findChild<DBNavigator *>(u"DBNavigator2"_s), page.navigator());
        const QList<QAction *> actions = page.toolBar()->actions();
        QVERIFY(!actions.isEmpty());
        QCOMPARE(page.toolBar()->widgetForAction(actions.first()), page.navigator());
    }

    void fontHeightSetsPixelSize_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("pixels");
        QTest::newRow("14 px") << -14 << 14;
        QTest::newRow("20 px") << -20 << 20;
        QTest::newRow("9 px") << -9 << 9;
    }

    void fontHeightSetsPixelSize()
    {
        QFETCH(int, height);
        QFETCH(int, pixels);
        GridPage page({u"tsOutput"_s, u"ToolBar11"_s, u"DBGrid1"_s, QString()});
        QCOMPARE(page.grid()->font().pixelSize(), 13); // the default height
        const int defaultRow = page.grid()->verticalHeader()->defaultSectionSize();

        page.setFontHeight(height);
        QCOMPARE(page.grid()->font().pixelSize(), pixels);
        QCOMPARE(page.grid()->horizontalHeader()->font().pixelSize(), pixels);
        // Rows grow and shrink with the font.
        const int row = page.grid()->verticalHeader()->defaultSectionSize();
        QVERIFY(pixels > 13 ? row > defaultRow : row < defaultRow);
    }
};

QUOLL_TEST(TstGridPage);

#include "tst_gridpage.moc"
