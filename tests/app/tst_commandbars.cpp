#include "mainfixture.h"
#include "testregistry.h"

#include "app/commandtable.h"
#include "editor/sqledit.h"
#include "results/dbnavigator.h"
#include "widgets/screenscale.h"

#include <QMenu>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::MainFixture;
using widgets::scaled;

using Pairs = QList<std::pair<QString, QString>>;

// The tool bars and pop-up menus present the commands in their order, each
// item bound to the right command.
class TstCommandBars : public QObject
{
    Q_OBJECT

private slots:
    void toolBarsHoldTheirButtonsInOrder_data();
    void toolBarsHoldTheirButtonsInOrder();
    void buttonsShowOnlyTheImageWithTheHintAsToolTip();
    void runBarWrapsTwoButtonsToARow();
    void eraseButtonDropsDownTheEditorMenu();
    void dataBarStartsWithTheRecordNavigator();
    void popupMenusHoldTheirItemsInOrder_data();
    void popupMenusHoldTheirItemsInOrder();
    void menuItemsRunAndFollowTheirCommands();
};

namespace {

Pairs pairs(std::initializer_list<std::pair<const char *, const char *>> list)
{
    Pairs result;
    for (const auto &[item, command] : list)
        result.append({QString::fromUtf8(item), QString::fromUtf8(command)});
    return result;
}

// The buttons of a tool bar in order with the commands they show; a button
// without a command shows "".
Pairs buttonsOf(QToolBar *bar)
{
    Pairs result;
    for (QAction *slot : bar->actions()) {
        auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(slot));
        if (!button)
            continue;
        result.append({button->objectName(), button->defaultAction() ? button->defaultAction()->objectName() : QString()});
    }
    return result;
}

// The items of a menu: (name, command) with "-" for separators and
// ">caption" for a submenu.
Pairs itemsOf(const QMenu *menu)
{
    Pairs result;
    for (const QAction *item : menu->actions()) {
        if (item->isSeparator())
            result.append({u"-"_s, QString()});
        else if (item->menu())
            result.append({u">"_s + item->text(), QString()});
        else
            result.append({item->objectName(), item->property("command").toString()});
    }
    return result;
}

} // namespace

void TstCommandBars::toolBarsHoldTheirButtonsInOrder_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<Pairs>("buttons");
    QTest::newRow("ToolBar11") << u"ToolBar11"_s
                               << pairs({{"tbFirstRecord", "acGoToFirstRecord"},
                                         {"tbPrevRecord", "acGoToPriorRecord"},
                                         {"tbNextRecord", "acGoToNextRecord"},
                                         {"tbLastRecord", "acGoToLastRecord"},
                                         {"tbRefresh", "acRefresh"},
                                         {"tbExpToHtml", "acExportToHtml"},
                                         {"tbExpToExcel", "acExportToExcel"},
                                         {"tbExpToXLSFile", "acExportToXLSFile"},
                                         {"tbGetRecordCount", "acGetRecordCount"},
                                         {"tbFontBigger", "acFontBigger"},
                                         {"tbFontSmaller", "acFontSmaller"},
                                         {"tbShowViewer", "acShowViewer"},
                                         {"ToolButton11", ""},
                                         {"ToolButton56", "acGenerateSIUD"}});
    QTest::newRow("ToolBar12") << u"ToolBar12"_s
                               << pairs({{"tbExpToHtml1", "acExportToHtml1"},
                                         {"tbExpToExcel1", "acExportToExcel1"},
                                         {"tbExpToXLSFile1", "acExportToXLSFile1"},
                                         {"tbGetRecordCount1", "acGetRecordCount1"},
                                         {"tbFontBigger1", "acFontBigger1"},
                                         {"tbFontSmaller1", "acFontSmaller1"},
                                         {"tbShowViewer1", "acShowViewer1"},
                                         {"ToolButton57", "acGenerateSIUD1"}});
}

void TstCommandBars::toolBarsHoldTheirButtonsInOrder()
{
    QFETCH(QString, bar);
    QFETCH(Pairs, buttons);
    MainFixture f;
    QCOMPARE(buttonsOf(f.find<QToolBar>(bar)), buttons);
    if (bar == u"ToolBar11"_s) {
        // The delimited-text export button stands hidden in the bar.
        auto *hidden = f.find<QToolButton>(u"ToolButton11"_s);
        QVERIFY(hidden->isHidden());
        QVERIFY(!hidden->icon().isNull());
    }
}

void TstCommandBars::buttonsShowOnlyTheImageWithTheHintAsToolTip()
{
    MainFixture f;
    int checked = 0;
    for (const QString &bar : {u"ToolBar11"_s, u"ToolBar12"_s, u"tbRunButs"_s}) {
        for (QToolButton *button : f.find(bar)->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly)) {
            QAction *command = button->defaultAction();
            if (!command)
                continue;
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
            QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
            // A command without a hint gives its button no tool tip at all,
            // not the caption, also after the command changes.
            const QString hint = app::ActionList::hintOf(command);
            QCOMPARE(button->toolTip(), hint);
            command->setEnabled(!command->isEnabled());
            command->setEnabled(!command->isEnabled());
            QCOMPARE(button->toolTip(), hint);
            ++checked;
        }
    }
    QCOMPARE(checked, 13 + 8 + 7);
    QCOMPARE(f.find(u"ToolButton56"_s)->toolTip(), QString());
}

void TstCommandBars::runBarWrapsTwoButtonsToARow()
{
    MainFixture f;
    QVERIFY(f.show());
    QWidget *bar = f.find(u"tbRunButs"_s);
    bar->setFixedWidth(2 * scaled(39) + 4);
    QTRY_VERIFY(bar->width() == 2 * scaled(39) + 4);
    QCoreApplication::processEvents();
    const QStringList rows[] = {{u"tbSQLPre"_s, u"tbSQLRun"_s},
                                {u"tbSQLRunSelected"_s, u"tbSQLNext"_s},
                                {u"tbSQLOpen"_s, u"tbSQLSave"_s},
                                {u"tbSQLErase"_s}};
    int lastY = -1;
    for (const QStringList &row : rows) {
        const QWidget *first = f.find(row[0]);
        QVERIFY(first->y() > lastY);
        lastY = first->y();
        QCOMPARE(first->size(), QSize(scaled(39), scaled(38)));
        if (row.size() == 2) {
            const QWidget *second = f.find(row[1]);
            QCOMPARE(second->y(), first->y());
            QVERIFY(second->x() > first->x());
        }
    }
}

void TstCommandBars::eraseButtonDropsDownTheEditorMenu()
{
    MainFixture f;
    auto *erase = f.find<QToolButton>(u"tbSQLErase"_s);
    QCOMPARE(erase->menu(), f.find<QMenu>(u"pmMenu"_s));
    QCOMPARE(erase->defaultAction()->objectName(), u"acErase"_s);
}

void TstCommandBars::dataBarStartsWithTheRecordNavigator()
{
    MainFixture f;
    auto *bar = f.find<QToolBar>(u"ToolBar12"_s);
    QWidget *first = bar->widgetForAction(bar->actions().constFirst());
    QCOMPARE(first->objectName(), u"DBNavigator2"_s);
    QVERIFY(qobject_cast<results::DBNavigator *>(first));
}

void TstCommandBars::popupMenusHoldTheirItemsInOrder_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<Pairs>("items");
    QTest::newRow("pmMenu") << u"pmMenu"_s
                            << pairs({{"miUnDo", "acUndo"}, {"miReDo", "acRedo"}, {"-", ""},
                                      {"miCut", "acCutToClipboard"}, {"miCopy1", "acCopyToClipboard"},
                                      {"miPaste", "acPasteFromClipboard"}, {"miDel", "acDeleteSelection"},
                                      {"-", ""}, {"miSelAll", "acSelectAll"}, {"-", ""},
                                      {"miDelAll", "acErase"}, {"-", ""}, {">Шрифт +/-", ""},
                                      {"N8", "acSelectFont"}, {"N10", "acSelectBackGround"},
                                      {"miOpen", "acOpenFile"}, {"miSave", "acSaveFile"}, {"-", ""},
                                      {"miAddQuot", "acAddQuot"}, {"miDelQuot", "acDeleteQuot"}});
    QTest::newRow("pmLW") << u"pmLW"_s
                          << pairs({{"N12", ""}, {"N13", ""}, {"N1", ""}, {"-", ""},
                                    {"miShowTrigger", ""}, {"miShowView", ""}});
    QTest::newRow("pmLog") << u"pmLog"_s << pairs({{"miClear", "acClearLog"}, {"miCopy", "acCopyLogToClipboard"}});
}

void TstCommandBars::popupMenusHoldTheirItemsInOrder()
{
    QFETCH(QString, menu);
    QFETCH(Pairs, items);
    MainFixture f;
    auto *popup = f.find<QMenu>(menu);
    QVERIFY(popup);
    QCOMPARE(itemsOf(popup), items);
    for (const QAction *item : popup->actions()) {
        const QString command = item->property("command").toString();
        if (!command.isEmpty())
            QCOMPARE(item->text(), f.window->actions().action(command)->text());
    }
    if (menu == u"pmLW"_s) {
        const QStringList captions{u"Шрифт"_s, u"Фон"_s, u"Печать"_s, QString(), u"Текст триггера"_s, u"ViewText"_s};
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(popup->actions()[i]->text(), captions[i]);
    }
    if (menu == u"pmMenu"_s) {
        const QMenu *steps = popup->findChild<QMenu *>(u"miFontSteps"_s);
        QVERIFY(steps);
        QStringList names, captions;
        for (const QAction *step : steps->actions()) {
            names.append(step->objectName());
            captions.append(step->text());
        }
        QCOMPARE(names, (QStringList{u"N32"_s, u"N22"_s, u"N11"_s, u"N14"_s, u"N21"_s, u"N31"_s}));
        QCOMPARE(captions, (QStringList{u"+3"_s, u"+2"_s, u"+1"_s, u"-1"_s, u"-2"_s, u"-3"_s}));
    }
}

void TstCommandBars::menuItemsRunAndFollowTheirCommands()
{
    MainFixture f;
    auto *menu = f.find<QMenu>(u"pmMenu"_s);
    QAction *item = nullptr;
    for (QAction *a : menu->actions())
        if (a->objectName() == u"miSelAll"_s)
            item = a;
    QVERIFY(item);
    QAction *command = f.window->actions().action(u"acSelectAll"_s);
    QSignalSpy runs(command, &QAction::triggered);
    f.window->currentEditor()->setPlainText(u"select 1"_s);
    f.idle();
    item->trigger();
    QCOMPARE(runs.size(), 1);
    command->setEnabled(false);
    QVERIFY(!item->isEnabled());
    command->setEnabled(true);
    QVERIFY(item->isEnabled());
}

QUOLL_TEST(TstCommandBars);
#include "tst_commandbars.moc"
