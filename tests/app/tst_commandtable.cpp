#include "testregistry.h"

#include "app/commandtable.h"

#include <QAction>
#include <QKeySequence>
#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::app::ActionList;

// The command table as the program's users know it: every command with its
// category, caption, hint, shortcut and image.
class TstCommandTable : public QObject
{
    Q_OBJECT

private slots:
    void everyCommandShowsItsTexts_data();
    void everyCommandShowsItsTexts();
    void holdsExactlyTheseCommandsInCategoryOrder();
    void onlyThePageSwitchesHaveShortcuts();
};

namespace {

struct Row
{
    const char *name, *category, *caption, *hint, *shortcut;
    int image;
};

const Row expectedRows[] = {
    {"acOpenFile", "File", "Open", "Открыть", "", 11},
    {"acSaveFile", "File", "Save As ...", "Save As", "", 12},
    {"acUndo", "SQLEditor", "Undo", "UnDo", "", 18},
    {"acRedo", "SQLEditor", "Redo", "ReDo", "", 19},
    {"acErase", "SQLEditor", "Erase", "Очистить", "", 21},
    {"acExecute", "SQLEditor", "Execute", "Выполнить запрос (CTRL+E)", "", 2},
    {"acExecuteSelected", "SQLEditor", "ExecSel", "Выполнить выделенное (CTRL+SHIFT+E)", "", 14},
    {"acCutToClipboard", "SQLEditor", "Cut", "Cut To Clipboard", "", -1},
    {"acCopyToClipboard", "SQLEditor", "Copy", "Copy To Clipboard", "", -1},
    {"acPasteFromClipboard", "SQLEditor", "Paste", "Paste From Clipboard", "", -1},
    {"acDeleteSelection", "SQLEditor", "Delete", "Delete Selection", "", -1},
    {"acSelectAll", "SQLEditor", "Select All", "Select All (CTRL+A )", "", -1},
    {"acAddQuot", "SQLEditor", "+ ''", "Add Quot", "", -1},
    {"acDeleteQuot", "SQLEditor", "- ''", "Delete Quot", "", -1},
    {"acSelectFont", "SQLEditor", "Шрифт", "Шрифт", "", -1},
    {"acSelectBackGround", "SQLEditor", "Фон", "Фон", "", -1},
    {"acGoToFirstRecord", "ViewQueryResult", "First Record", "", "", 23},
    {"acGoToPriorRecord", "ViewQueryResult", "Prior Record", "", "", 24},
    {"acGoToNextRecord", "ViewQueryResult", "Next Record", "", "", 25},
    {"acGoToLastRecord", "ViewQueryResult", "Last Record", "", "", 26},
    {"acRefresh", "ViewQueryResult", "Refresh", "", "", 27},
    {"acExportToHtml", "ViewQueryResult", "Export To Html", "", "", 9},
    {"acExportToExcel", "ViewQueryResult", "Export To Excel", "Экспорт в Excel", "", 10},
    {"acExportToXLSFile", "ViewQueryResult", "Export To XLS File", "", "", 17},
    {"acGetRecordCount", "ViewQueryResult", "Record Count", "Количество строк в наборе", "", 13},
    {"acFontBigger", "ViewQueryResult", "Font Bigger", "Увеличить шрифт", "", 15},
    {"acFontSmaller", "ViewQueryResult", "Font Smaller", "Уменьшить шрифт", "", 16},
    {"acShowViewer", "ViewQueryResult", "Show Viewer", "", "", 22},
    {"acGenerateSIUD", "ViewQueryResult", "acGenerateSIUD", "", "", 28},
    {"acExportToHtml1", "ViewDataResult", "Export To Html", "Экспорт в Html", "", 9},
    {"acExportToExcel1", "ViewDataResult", "Export To Excel", "Экспорт в Excel", "", 10},
    {"acExportToXLSFile1", "ViewDataResult", "Export To XLS File", "", "", 17},
    {"acGetRecordCount1", "ViewDataResult", "Record Count", "Количество строк в наборе", "", 13},
    {"acFontBigger1", "ViewDataResult", "Font Bigger", "Увеличить шрифт", "", 15},
    {"acFontSmaller1", "ViewDataResult", "Font Smaller", "Уменьшить шрифт", "", 16},
    {"acShowViewer1", "ViewDataResult", "Show Viewer", "", "", 22},
    {"acGenerateSIUD1", "ViewDataResult", "acGenerateSIUD1", "", "", 28},
    {"acClearLog", "Log", "Очистить", "Очистить", "", -1},
    {"acCopyLogToClipboard", "Log", "Копировать", "", "", -1},
    {"acSQLBar", "BarSw", "acSQLBar", "", "Alt+1", -1},
    {"acQueryBar", "BarSw", "acQueryBar", "", "Alt+2", -1},
    {"acDataBar", "BarSw", "acDataBar", "", "Alt+3", -1},
    {"acLogBar", "BarSw", "acLogBar", "", "Alt+4", -1},
};

} // namespace

void TstCommandTable::everyCommandShowsItsTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<int>("image");
    for (const Row &r : expectedRows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QString::fromLatin1(r.category)
                              << QString::fromUtf8(r.caption) << QString::fromUtf8(r.hint)
                              << QKeySequence(QString::fromLatin1(r.shortcut)) << r.image;
}

void TstCommandTable::everyCommandShowsItsTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, category);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(QKeySequence, shortcut);
    QFETCH(int, image);
    ActionList actions;
    QAction *action = actions.action(name);
    QVERIFY(action);
    QCOMPARE(ActionList::categoryOf(action), category);
    QCOMPARE(action->text(), caption);
    QCOMPARE(ActionList::hintOf(action), hint);
    if (!hint.isEmpty())
        QCOMPARE(action->toolTip(), hint);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(ActionList::imageOf(action), image);
    QCOMPARE(action->icon().isNull(), image < 0);
    QVERIFY(action->isEnabled());
}

void TstCommandTable::holdsExactlyTheseCommandsInCategoryOrder()
{
    ActionList actions;
    QCOMPARE(actions.objectName(), u"ActionList1"_s);
    QStringList names;
    for (const QAction *a : actions.actions())
        names.append(a->objectName());
    QStringList expected;
    for (const Row &r : expectedRows)
        expected.append(QString::fromLatin1(r.name));
    QCOMPARE(names, expected);
}

void TstCommandTable::onlyThePageSwitchesHaveShortcuts()
{
    ActionList actions;
    QSet<QString> withShortcut;
    for (const QAction *a : actions.actions())
        if (!a->shortcut().isEmpty())
            withShortcut.insert(a->objectName());
    QCOMPARE(withShortcut, (QSet<QString>{u"acSQLBar"_s, u"acQueryBar"_s, u"acDataBar"_s, u"acLogBar"_s}));
    // The digits of the main keyboard, not the keypad.
    QCOMPARE(actions.action(u"acLogBar"_s)->shortcut()[0], QKeyCombination(Qt::ALT | Qt::Key_4));
}

QUOLL_TEST(TstCommandTable);
#include "tst_commandtable.moc"
