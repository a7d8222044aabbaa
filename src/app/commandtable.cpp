#include "app/commandtable.h"

#include "widgets/imagelist.h"

#include <array>

namespace quoll::app {

namespace {

// Captions and hints are the program's own texts, used exactly as they stand.
constexpr std::array commands{
    CommandRow{"acOpenFile", "File", "Open", "Открыть", "", 11},
    CommandRow{"acSaveFile", "File", "Save As ...", "Save As", "", 12},

    CommandRow{"acUndo", "SQLEditor", "Undo", "UnDo", "", 18},
    CommandRow{"acRedo", "SQLEditor", "Redo", "ReDo", "", 19},
    CommandRow{"acErase", "SQLEditor", "Erase", "Очистить", "", 21},
    CommandRow{"acExecute", "SQLEditor", "Execute", "Выполнить запрос (CTRL+E)", "", 2},
    CommandRow{"acExecuteSelected", "SQLEditor", "ExecSel", "Выполнить выделенное (CTRL+SHIFT+E)", "", 14},
    CommandRow{"acCutToClipboard", "SQLEditor", "Cut", "Cut To Clipboard", "", -1},
    CommandRow{"acCopyToClipboard", "SQLEditor", "Copy", "Copy To Clipboard", "", -1},
    CommandRow{"acPasteFromClipboard", "SQLEditor", "Paste", "Paste From Clipboard", "", -1},
    CommandRow{"acDeleteSelection", "SQLEditor", "Delete", "Delete Selection", "", -1},
    CommandRow{"acSelectAll", "SQLEditor", "Select All", "Select All (CTRL+A )", "", -1},
    CommandRow{"acAddQuot", "SQLEditor", "+ ''", "Add Quot", "", -1},
    CommandRow{"acDeleteQuot", "SQLEditor", "- ''", "Delete Quot", "", -1},
    CommandRow{"acSelectFont", "SQLEditor", "Шрифт", "Шрифт", "", -1},
    CommandRow{"acSelectBackGround", "SQLEditor", "Фон", "Фон", "", -1},

    CommandRow{"acGoToFirstRecord", "ViewQueryResult", "First Record", "", "", 23},
    CommandRow{"acGoToPriorRecord", "ViewQueryResult", "Prior Record", "", "", 24},
    CommandRow{"acGoToNextRecord", "ViewQueryResult", "Next Record", "", "", 25},
    CommandRow{"acGoToLastRecord", "ViewQueryResult", "Last Record", "", "", 26},
    CommandRow{"acRefresh", "ViewQueryResult", "Refresh", "", "", 27},
    CommandRow{"acExportToHtml", "ViewQueryResult", "Export To Html", "", "", 9},
    CommandRow{"acExportToExcel", "ViewQueryResult", "Export To Excel", "Экспорт в Excel", "", 10},
    CommandRow{"acExportToXLSFile", "ViewQueryResult", "Export To XLS File", "", "", 17},
    CommandRow{"acGetRecordCount", "ViewQueryResult", "Record Count", "Количество строк в наборе", "", 13},
    CommandRow{"acFontBigger", "ViewQueryResult", "Font Bigger", "Увеличить шрифт", "", 15},
    CommandRow{"acFontSmaller", "ViewQueryResult", "Font Smaller", "Уменьшить шрифт", "", 16},
    CommandRow{"acShowViewer", "ViewQueryResult", "Show Viewer", "", "", 22},
    CommandRow{"acGenerateSIUD", "ViewQueryResult", "acGenerateSIUD", "", "", 28},

    CommandRow{"acExportToHtml1", "ViewDataResult", "Export To Html", "Экспорт в Html", "", 9},
    CommandRow{"acExportToExcel1", "ViewDataResult", "Export To Excel", "Экспорт в Excel", "", 10},
    CommandRow{"acExportToXLSFile1", "ViewDataResult", "Export To XLS File", "", "", 17},
    CommandRow{"acGetRecordCount1", "ViewDataResult", "Record Count", "Количество строк в наборе", "", 13},
    CommandRow{"acFontBigger1", "ViewDataResult", "Font Bigger", "Увеличить шрифт", "", 15},
    CommandRow{"acFontSmaller1", "ViewDataResult", "Font Smaller", "Уменьшить шрифт", "", 16},
    CommandRow{"acShowViewer1", "ViewDataResult", "Show Viewer", "", "", 22},
    CommandRow{"acGenerateSIUD1", "ViewDataResult", "acGenerateSIUD1", "", "", 28},

    CommandRow{"acClearLog", "Log", "Очистить", "Очистить", "", -1},
    CommandRow{"acCopyLogToClipboard", "Log", "Копировать", "", "", -1},

    CommandRow{"acSQLBar", "BarSw", "acSQLBar", "", "Alt+1", -1},
    CommandRow{"acQueryBar", "BarSw", "acQueryBar", "", "Alt+2", -1},
    CommandRow{"acDataBar", "BarSw", "acDataBar", "", "Alt+3", -1},
    CommandRow{"acLogBar", "BarSw", "acLogBar", "", "Alt+4", -1},
};

} // namespace

std::span<const CommandRow> commandTable()
{
    return commands;
}

ActionList::ActionList(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ActionList1"));
    const widgets::ImageList images = widgets::ImageList::commands();
    for (const CommandRow &row : commands) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromLatin1(row.name));
        action->setText(QString::fromUtf8(row.caption));
        action->setToolTip(QString::fromUtf8(row.hint));
        action->setProperty("hint", QString::fromUtf8(row.hint));
        action->setProperty("category", QString::fromLatin1(row.category));
        action->setProperty("imageIndex", row.image);
        action->setIconVisibleInMenu(false);
        if (*row.shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut), QKeySequence::PortableText));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (row.image >= 0)
            action->setIcon(images.icon(row.image));
        m_ordered.append(action);
        m_byName.insert(action->objectName(), action);
    }
}

QAction *ActionList::action(const QString &name) const
{
    QAction *found = m_byName.value(name);
    Q_ASSERT_X(found, "ActionList::action", qPrintable(name));
    return found;
}

QString ActionList::categoryOf(const QAction *action)
{
    return action->property("category").toString();
}

QString ActionList::hintOf(const QAction *action)
{
    return action->property("hint").toString();
}

int ActionList::imageOf(const QAction *action)
{
    return action->property("imageIndex").toInt();
}

} // namespace quoll::app
