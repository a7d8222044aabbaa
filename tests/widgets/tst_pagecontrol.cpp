#include "widgets/pagecontrol.h"

#include "testregistry.h"

#include <QTabBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::widgets::PageControl;

namespace {

const QStringList captions{u"1"_s, u"SP"_s, u"Long caption"_s};

void addPagesAndShow(QTabWidget &tabs)
{
    for (const QString &caption : captions)
        tabs.addTab(new QWidget, caption);
    tabs.resize(500, 400);
    tabs.show();
}

} // namespace

class TstPageControl : public QObject
{
    Q_OBJECT

private slots:
    void sideTabsHaveFixedLength_data()
    {
        QTest::addColumn<QTabWidget::TabPosition>("position");
        QTest::addColumn<int>("length");
        QTest::newRow("west 30") << QTabWidget::West << 30;
        QTest::newRow("west 45") << QTabWidget::West << 45;
        QTest::newRow("east 38") << QTabWidget::East << 38;
    }

    void sideTabsHaveFixedLength()
    {
        QFETCH(QTabWidget::TabPosition, position);
        QFETCH(int, length);
        PageControl pages(position);
        pages.setTabLength(length);
        addPagesAndShow(pages);
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        const QFontMetrics fm(pages.tabBar()->font());
        for (int i = 0; i < captions.size(); ++i) {
            QCOMPARE(pages.tabBar()->tabRect(i).height(), length);
            // Upright captions: the tab is at least as wide as its text.
            QVERIFY(pages.tabBar()->tabRect(i).width() >= fm.horizontalAdvance(captions[i]));
        }
    }

    void lengthChangeReachesExistingTabs()
    {
        PageControl pages(QTabWidget::West);
        addPagesAndShow(pages);
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        QVERIFY(pages.tabBar()->tabRect(0).height() != 50);

        pages.setTabLength(50);
        QTRY_COMPARE(pages.tabBar()->tabRect(0).height(), 50);
        for (int i = 1; i < captions.size(); ++i)
            QCOMPARE(pages.tabBar()->tabRect(i).height(), 50);
    }

    void bottomTabsKeepQtLook()
    {
        PageControl pages(QTabWidget::South);
        QTabWidget plain;
        plain.setTabPosition(QTabWidget::South);
        plain.setUsesScrollButtons(true);
        addPagesAndShow(pages);
        addPagesAndShow(plain);
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        QVERIFY(QTest::qWaitForWindowExposed(&plain));

        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(pages.tabBar()->tabRect(i), plain.tabBar()->tabRect(i));
        QCOMPARE(pages.tabBar()->grab().toImage(), plain.tabBar()->grab().toImage());
    }
};

QUOLL_TEST(TstPageControl);

#include "tst_pagecontrol.moc"
