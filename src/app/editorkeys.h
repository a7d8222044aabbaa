#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace quoll::app {

// What the shared key handler of the five SQL editors can reach.
struct EditorKeyContext
{
    bool runEnabled = false;                 // the state of `tbSQLRun`
    std::optional<QString> selectedColumn;   // first column of the selected row of `ListView2`
    std::optional<QString> selectedTable;    // first column of the selected row of `lvTables`
    std::function<void()> runAll;            // as acExecute
    std::function<void()> runSelected;       // as acExecuteSelected
    std::function<void(const QString &)> insert;   // InsertIntoEditor
};

// `mmSQL4KeyDown`, called for every key press before the editor's own
// bindings: Ctrl+E and Ctrl+Shift+E run the page or its selection, Ctrl+F
// and Ctrl+Shift+F insert the selected column's name, Ctrl+T and
// Ctrl+Shift+T the selected table's. Only exactly Ctrl or Ctrl+Shift count,
// no Alt, no mouse button. Returns true when the key is handled, so that the
// editor applies none of its own bindings to it (a letter typed with the
// key is still typed).
bool mmSQL4KeyDown(int key, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                   const EditorKeyContext &context);

} // namespace quoll::app
