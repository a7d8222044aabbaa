#include "catalog/catalogpane.h"

#include "editor/sqledit.h"
#include "widgets/panesplitter.h"
#include "widgets/reportlist.h"

#include "testregistry.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::catalog::CatalogPane;
using quoll::widgets::PageControl;
using quoll::widgets::PaneSplitter;
using quoll::widgets::ReportList;

namespace {

template<typename T = QWidget>
T *child(const QWidget *parent, const QString &name)
{
    return parent->findChild<T *>(name);
}

QStringList columnCaptions(const ReportList *list)
{
    QStringList captions;
    for (int i = 0; i < list->model()->columnCount(); ++i)
        captions.append(list->model()->headerData(i, Qt::Horizontal).toString());
    return captions;
}

void dragBy(QWidget *bar, int dx)
{
    const QPoint start = bar->mapToGlobal(bar->rect().center());
    const QPoint end = start + QPoint(dx, 0);
    auto send = [bar](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(bar->mapFromGlobal(at)), QPointF(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class TstCatalogPane : public QObject
{
    Q_OBJECT

private slots:
    void tablePageHoldsListPanelSplitterAndDetails()
    {
        CatalogPane pane;
        pane.resize(800, 500);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QCOMPARE(pane.objectName(), u"PageControl1"_s);
        QCOMPARE(pane.count(), 2);
        QCOMPARE(pane.tabText(0), u"T"_s);
        QCOMPARE(pane.tabText(1), u"SP"_s);
        QCOMPARE(pane.tabBar()->shape(), QTabBar::RoundedWest);

        const QWidget *page = pane.widget(0);
        QWidget *panel = child(page, u"Panel5"_s);
        QVERIFY(panel);
        QVERIFY(child<QComboBox>(panel, u"cbTableWild"_s));
        QVERIFY(child<QToolButton>(panel, u"tbFindTable"_s));
        QVERIFY(child<ReportList>(panel, u"lvTables"_s));
        auto *splitter = child<PaneSplitter>(page, u"Splitter4"_s);
        auto *details = child<PageControl>(page, u"PageControl2"_s);
        QVERIFY(splitter && details);
        // Left to right: the list panel, the bar, the detail pages.
        QVERIFY(panel->geometry().right() < splitter->geometry().left());
        QVERIFY(splitter->geometry().right() < details->geometry().left());

        QCOMPARE(details->tabBar()->shape(), QTabBar::RoundedWest);
        const QStringList tabs{u"Fi"_s, u"Ix"_s, u"Ct"_s, u"Tg"_s};
        const QStringList lists{u"ListView2"_s, u"ListView3"_s, u"ListView4"_s, u"lvTriggers"_s};
        const QList<QStringList> captions{
            {u"Name"_s, u"Type"_s, u"Size"_s, u"Not Null"_s, u"Default"_s},
            {u"Имя"_s, u"Тип"_s, u"Поля"_s},
            {u"Имя"_s, u"Тип"_s, u"Индекс"_s, u"Доп."_s},
            {u"Имя"_s, u"Владелец"_s, u"Тип"_s, u"OLD"_s, u"NEW"_s}};
        QCOMPARE(details->count(), tabs.size());
        for (int i = 0; i < tabs.size(); ++i) {
            QCOMPARE(details->tabText(i), tabs[i]);
            auto *list = child<ReportList>(details->widget(i), lists[i]);
            QVERIFY2(list, qPrintable(lists[i]));
            QCOMPARE(columnCaptions(list), captions[i]);
        }
    }

    void procedurePageHoldsListAndReadOnlyText()
    {
        CatalogPane pane;
        const QWidget *page = pane.widget(1);
        QWidget *panel = child(page, u"Panel7"_s);
        QVERIFY(panel);
        QVERIFY(child<QComboBox>(panel, u"cbProcWild"_s));
        QVERIFY(child<QToolButton>(panel, u"tbFindProc"_s));
        auto *procs = child<ReportList>(panel, u"lvProc"_s);
        QVERIFY(procs);
        QCOMPARE(columnCaptions(procs).first(), u"Procedure"_s);
        auto *splitter = child<PaneSplitter>(page, u"Splitter9"_s);
        QVERIFY(splitter);
        QCOMPARE(splitter->pane(), panel);

        auto *text = child<quoll::editor::SqlEdit>(page, u"mmProcText"_s);
        QVERIFY(text);
        text->setPlainText(u"create procedure p();"_s);
        QTest::keyClicks(text, u"x"_s);
        QCOMPARE(text->text(), u"create procedure p();"_s);
    }

    void filterBoxesWaitDisabled()
    {
        CatalogPane pane;
        for (const auto &[box, button] : {std::pair(u"cbTableWild"_s, u"tbFindTable"_s),
                                          std::pair(u"cbProcWild"_s, u"tbFindProc"_s)}) {
            auto *filter = pane.findChild<QComboBox *>(box);
            auto *find = pane.findChild<QToolButton *>(button);
            QVERIFY(filter && find);
            QVERIFY(filter->isEditable());
            QCOMPARE(filter->count(), 5);
            for (int i = 0; i < filter->count(); ++i)
                QVERIFY(filter->itemText(i).isEmpty());
            QCOMPARE(filter->toolTip(), u"*tbl;workp*;cp*"_s);
            QVERIFY(!filter->isEnabled());
            QCOMPARE(find->toolTip(), u"Поиск таблиц"_s);
            QVERIFY(!find->icon().isNull());
            QVERIFY(!find->isEnabled());
        }
    }

    void draggingSplitterResizesListPanel()
    {
        CatalogPane pane;
        pane.resize(900, 500);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QWidget *panel = pane.findChild<QWidget *>(u"Panel5"_s);
        auto *splitter = pane.findChild<PaneSplitter *>(u"Splitter4"_s);
        const int before = panel->width();

        dragBy(splitter, 60);
        QCOMPARE(panel->width(), before + 60);
        QTRY_COMPARE(splitter->x(), panel->geometry().right() + 1);
        dragBy(splitter, -2000);
        QCOMPARE(panel->width(), 10);
    }
};

QUOLL_TEST(TstCatalogPane);

#include "tst_catalogpane.moc"
