#include "app/commandtable.h"

#include "widgets/imagelist.h"

#include <array>

namespace quoll::app {

namespace {

// Captions and hints are the program's own texts, used exactly as they stand.
constexpr std::array commands{
    CommandSpec{"acOpenFile", "File", "Open", "Открыть", "", 11},
    CommandSpec{"acSaveFile", "File", "Save As ...", "Save As", "", 12},

    CommandSpec{"acUndo", "SQLEditor", "Undo", "UnDo", "", 18},
    CommandSpec{"acRedo", "SQLEditor", "Redo", "ReDo", "", 19},
    CommandSpec{"acErase", "SQLEditor", "Erase", "Очистить", "", 21},
    CommandSpec{"acExecute", "SQLEditor", "Execute", "Выполнить запрос (CTRL+E)", "", 2},
    CommandSpec{"acExecuteSelected", "SQLEditor", "ExecSel", "Выполнить выделенное (CTRL+SHIFT+E)", "", 14},
    CommandSpec{"acCutToClipboard", "SQLEditor", "Cut", "Cut To Clipboard", "", -1},
    CommandSpec{"acCopyToClipboard", "SQLEditor", "Copy", "Copy To Clipboard", "", -1},
    CommandSpec{"acPasteFromClipboard", "SQLEditor", "Paste", "Paste From Clipboard", "", -1},
    CommandSpec{"acDeleteSelection", "SQLEditor", "Delete", "Delete Selection", "", -1},
    CommandSpec{"acSelectAll", "SQLEditor", "Select All", "Select All (CTRL+A )", "", -1},
    CommandSpec{"acAddQuot", "SQLEditor", "+ ''", "Add Quot", "", -1},
    CommandSpec{"acDeleteQuot", "SQLEditor", "- ''", "Delete Quot", "", -1},
    CommandSpec{"acSelectFont", "SQLEditor", "Шрифт", "Шрифт", "", -1},
    CommandSpec{"acSelectBackGround", "SQLEditor", "Фон", "Фон", "", -1},

    CommandSpec{"acGoToFirstRecord", "ViewQueryResult", "First Record", "", "", 23},
    CommandSpec{"acGoToPriorRecord", "ViewQueryResult", "Prior Record", "", "", 24},
    CommandSpec{"acGoToNextRecord", "ViewQueryResult", "Next Record", "", "", 25},
    CommandSpec{"acGoToLastRecord", "ViewQueryResult", "Last Record", "", "", 26},
    CommandSpec{"acRefresh", "ViewQueryResult", "Refresh", "", "", 27},
    CommandSpec{"acExportToHtml", "ViewQueryResult", "Export To Html", "", "", 9},
    CommandSpec{"acExportToExcel", "ViewQueryResult", "Export To Excel", "Экспорт в Excel", "", 10},
    CommandSpec{"acExportToXLSFile", "ViewQueryResult", "Export To XLS File", "", "", 17},
    CommandSpec{"acGetRecordCount", "ViewQueryResult", "Record Count", "Количество строк в наборе", "", 13},
    CommandSpec{"acFontBigger", "ViewQueryResult", "Font Bigger", "Увеличить шрифт", "", 15},
    CommandSpec{"acFontSmaller", "ViewQueryResult", "Font Smaller", "Уменьшить шрифт", "", 16},
    CommandSpec{"acShowViewer", "ViewQueryResult", "Show Viewer", "", "", 22},
    CommandSpec{"acGenerateSIUD", "ViewQueryResult", "acGenerateSIUD", "", "", 28},

    CommandSpec{"acExportToHtml1", "ViewDataResult", "Export To Html", "Экспорт в Html", "", 9},
    CommandSpec{"acExportToExcel1", "ViewDataResult", "Export To Excel", "Экспорт в Excel", "", 10},
    CommandSpec{"acExportToXLSFile1", "ViewDataResult", "Export To XLS File", "", "", 17},
    CommandSpec{"acGetRecordCount1", "ViewDataResult", "Record Count", "Количество строк в наборе", "", 13},
    CommandSpec{"acFontBigger1", "ViewDataResult", "Font Bigger", "Увеличить шрифт", "", 15},
    CommandSpec{"acFontSmaller1", "ViewDataResult", "Font Smaller", "Уменьшить шрифт", "", 16},
    CommandSpec{"acShowViewer1", "ViewDataResult", "Show Viewer", "", "", 22},
    CommandSpec{"acGenerateSIUD1", "ViewDataResult", "acGenerateSIUD1", "", "", 28},

    CommandSpec{"acClearLog", "Log", "Очистить", "Очистить", "", -1},
    CommandSpec{"acCopyLogToClipboard", "Log", "Копировать", "", "", -1},

    CommandSpec{"acSQLBar", "BarSw", "acSQLBar", "", "Alt+1", -1},
    CommandSpec{"acQueryBar", "BarSw", "acQueryBar", "", "Alt+2", -1},
    CommandSpec{"acDataBar", "BarSw", "acDataBar", "", "Alt+3", -1},
    CommandSpec{"acLogBar", "BarSw", "acLogBar", "", "Alt+4", -1},
};

} // namespace

std::span<const CommandSpec> commandTable()
{
    return commands;
}

ActionList::ActionList(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ActionList1"));
    const widgets::ImageList images = widgets::ImageList::commands();
    for (const CommandSpec &spec : commands) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromLatin1(spec.name));
        action->setText(QString::fromUtf8(spec.caption));
        action->setToolTip(QString::fromUtf8(spec.hint));
        action->setProperty("hint", QString::fromUtf8(spec.hint));
        action->setProperty("category", QString::fromLatin1(spec.category));
        action->setProperty("imageIndex", spec.image);
        action->setIconVisibleInMenu(false);
        if (*spec.shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut), QKeySequence::PortableText));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (spec.image >= 0)
            action->setIcon(images.icon(spec.image));
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
