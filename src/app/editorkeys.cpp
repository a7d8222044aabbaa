#include "app/editorkeys.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

bool mmSQL4KeyDown(int key, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                   const EditorKeyContext &context)
{
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrl = buttons == Qt::NoButton && held == Qt::ControlModifier;
    const bool ctrlShift = buttons == Qt::NoButton && held == (Qt::ControlModifier | Qt::ShiftModifier);
    switch (key) {
    case Qt::Key_E:
        if (context.runEnabled && ctrl)
            context.runAll();
        else if (context.runEnabled && ctrlShift)
            context.runSelected();
        return false;
    case Qt::Key_F:
        // With a column selected the F key reaches none of the editor's
        // bindings, whatever the modifiers.
        if (!context.selectedColumn)
            return false;
        if (ctrl)
            context.insert(u' ' + *context.selectedColumn);
        else if (ctrlShift)
            context.insert(*context.selectedColumn + u',');
        return true;
    case Qt::Key_T:
        if (context.selectedTable && ctrl)
            context.insert(u' ' + *context.selectedTable);
        else if (context.selectedTable && ctrlShift)
            context.insert(*context.selectedTable + u',');
        return false;
    default:
        return false;
    }
}

} // namespace quoll::app
