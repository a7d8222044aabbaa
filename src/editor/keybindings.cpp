#include "editor/keybindings.h"

#include <QKeyEvent>

namespace quoll::editor {

namespace {

using C = EditorCommand;
constexpr Qt::KeyboardModifier Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifier Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifier Alt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

std::vector<KeyBinding> buildTable()
{
    std::vector<KeyBinding> t = {
        {QKeyCombination(None, Qt::Key_Up), C::CaretUp},
        {QKeyCombination(None, Qt::Key_Down), C::CaretDown},
        {QKeyCombination(None, Qt::Key_Left), C::CaretLeft},
        {QKeyCombination(None, Qt::Key_Right), C::CaretRight},
        {QKeyCombination(Shift, Qt::Key_Up), C::SelectUp},
        {QKeyCombination(Shift, Qt::Key_Down), C::SelectDown},
        {QKeyCombination(Shift, Qt::Key_Left), C::SelectLeft},
        {QKeyCombination(Shift, Qt::Key_Right), C::SelectRight},
        {QKeyCombination(Ctrl, Qt::Key_Up), C::ScrollLineUp},
        {QKeyCombination(Ctrl, Qt::Key_Down), C::ScrollLineDown},
        {QKeyCombination(Ctrl, Qt::Key_Left), C::WordLeft},
        {QKeyCombination(Ctrl, Qt::Key_Right), C::WordRight},
        {QKeyCombination(CtrlShift, Qt::Key_Left), C::SelectWordLeft},
        {QKeyCombination(CtrlShift, Qt::Key_Right), C::SelectWordRight},
        {QKeyCombination(None, Qt::Key_PageUp), C::PageUp},
        {QKeyCombination(None, Qt::Key_PageDown), C::PageDown},
        {QKeyCombination(Shift, Qt::Key_PageUp), C::SelectPageUp},
        {QKeyCombination(Shift, Qt::Key_PageDown), C::SelectPageDown},
        {QKeyCombination(Ctrl, Qt::Key_PageUp), C::PageTop},
        {QKeyCombination(Ctrl, Qt::Key_PageDown), C::PageBottom},
        {QKeyCombination(CtrlShift, Qt::Key_PageUp), C::SelectPageTop},
        {QKeyCombination(CtrlShift, Qt::Key_PageDown), C::SelectPageBottom},
        {QKeyCombination(None, Qt::Key_Home), C::LineStart},
        {QKeyCombination(None, Qt::Key_End), C::LineEnd},
        {QKeyCombination(Shift, Qt::Key_Home), C::SelectLineStart},
        {QKeyCombination(Shift, Qt::Key_End), C::SelectLineEnd},
        {QKeyCombination(Ctrl, Qt::Key_Home), C::TextStart},
        {QKeyCombination(Ctrl, Qt::Key_End), C::TextEnd},
        {QKeyCombination(CtrlShift, Qt::Key_Home), C::SelectTextStart},
        {QKeyCombination(CtrlShift, Qt::Key_End), C::SelectTextEnd},
        {QKeyCombination(None, Qt::Key_Insert), C::ToggleInsertMode},
        {QKeyCombination(Ctrl, Qt::Key_Insert), C::Copy},
        {QKeyCombination(Ctrl, Qt::Key_C), C::Copy},
        {QKeyCombination(Shift, Qt::Key_Insert), C::Paste},
        {QKeyCombination(Ctrl, Qt::Key_V), C::Paste},
        {QKeyCombination(Shift, Qt::Key_Delete), C::Cut},
        {QKeyCombination(Ctrl, Qt::Key_X), C::Cut},
        {QKeyCombination(None, Qt::Key_Delete), C::DeleteChar},
        {QKeyCombination(None, Qt::Key_Backspace), C::DeleteLastChar},
        {QKeyCombination(Shift, Qt::Key_Backspace), C::DeleteLastChar},
        {QKeyCombination(Ctrl, Qt::Key_Backspace), C::DeleteLastWord},
        {QKeyCombination(Alt, Qt::Key_Backspace), C::Undo},
        {QKeyCombination(Ctrl, Qt::Key_Z), C::Undo},
        {QKeyCombination(Shift | Alt, Qt::Key_Backspace), C::Redo},
        {QKeyCombination(CtrlShift, Qt::Key_Z), C::Redo},
        {QKeyCombination(None, Qt::Key_Return), C::LineBreak},
        {QKeyCombination(Ctrl, Qt::Key_M), C::LineBreak},
        {QKeyCombination(Ctrl, Qt::Key_N), C::InsertLine},
        {QKeyCombination(Ctrl, Qt::Key_A), C::SelectAll},
        {QKeyCombination(CtrlShift, Qt::Key_I), C::BlockIndent},
        {QKeyCombination(CtrlShift, Qt::Key_U), C::BlockUnindent},
        {QKeyCombination(Ctrl, Qt::Key_Y), C::DeleteLine},
        {QKeyCombination(CtrlShift, Qt::Key_Y), C::DeleteToLineEnd},
        {QKeyCombination(CtrlShift, Qt::Key_N), C::NormalSelectionMode},
        {QKeyCombination(CtrlShift, Qt::Key_C), C::ColumnSelectionMode},
        {QKeyCombination(CtrlShift, Qt::Key_L), C::LineSelectionMode},
        {QKeyCombination(None, Qt::Key_Tab), C::Tab},
        {QKeyCombination(Shift, Qt::Key_Tab), C::BackTab},
        {QKeyCombination(CtrlShift, Qt::Key_B), C::MatchingBracket},
    };
    for (int n = 0; n <= 9; ++n) {
        const auto digit = Qt::Key(Qt::Key_0 + n);
        t.push_back({QKeyCombination(Ctrl, digit), C::GotoBookmark, n});
        t.push_back({QKeyCombination(CtrlShift, digit), C::SetBookmark, n});
    }
    return t;
}

// The symbols of Shift and the digit keys 1 to 9 and 0 on the usual layout.
constexpr Qt::Key ShiftedDigits[10] = {Qt::Key_ParenRight, Qt::Key_Exclam,    Qt::Key_At,
                                       Qt::Key_NumberSign, Qt::Key_Dollar,    Qt::Key_Percent,
                                       Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                                       Qt::Key_ParenLeft};

} // namespace

const std::vector<KeyBinding> &defaultKeyBindings()
{
    static const std::vector<KeyBinding> table = buildTable();
    return table;
}

QKeyCombination normalisedKeys(const QKeyEvent &event)
{
    Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    int key = event.key();
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        modifiers |= Qt::ShiftModifier;
    }
    if (modifiers & Qt::ShiftModifier) {
        for (int n = 0; n <= 9; ++n)
            if (key == ShiftedDigits[n])
                key = Qt::Key_0 + n;
    }
    return QKeyCombination(modifiers, Qt::Key(key));
}

std::optional<BoundCommand> commandForKey(const QKeyEvent &event)
{
    const QKeyCombination keys = normalisedKeys(event);
    for (const KeyBinding &binding : defaultKeyBindings())
        if (binding.keys == keys)
            return BoundCommand{binding.command, binding.argument};
    return std::nullopt;
}

} // namespace quoll::editor
