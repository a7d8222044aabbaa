#pragma once

#include "editor/editorcommand.h"

#include <QKeyCombination>

#include <optional>
#include <vector>

class QKeyEvent;

namespace quoll::editor {

// One key of the editor and what it does.
struct KeyBinding
{
    QKeyCombination keys;
    EditorCommand command;
    int argument = 0;   // the bookmark's number
};

struct BoundCommand
{
    EditorCommand command;
    int argument = 0;
};

// The key bindings every editor control has.
const std::vector<KeyBinding> &defaultKeyBindings();

// The keys of an event as the binding table writes them: the keypad's Enter
// is Enter, Backtab is Shift+Tab, and Shift with a digit key (which the
// keyboard reports as the shifted symbol) is Shift and the digit.
QKeyCombination normalisedKeys(const QKeyEvent &event);

// The command bound to the keys of `event`, if any.
std::optional<BoundCommand> commandForKey(const QKeyEvent &event);

} // namespace quoll::editor
