#pragma once

#include <cstdint>

namespace quoll::editor {

// The commands the editor's keys are bound to.
enum class EditorCommand : std::uint8_t {
    CaretUp, CaretDown, CaretLeft, CaretRight,
    SelectUp, SelectDown, SelectLeft, SelectRight,
    ScrollLineUp, ScrollLineDown,
    WordLeft, WordRight, SelectWordLeft, SelectWordRight,
    PageUp, PageDown, SelectPageUp, SelectPageDown,
    PageTop, PageBottom, SelectPageTop, SelectPageBottom,
    LineStart, LineEnd, SelectLineStart, SelectLineEnd,
    TextStart, TextEnd, SelectTextStart, SelectTextEnd,
    ToggleInsertMode,
    Copy, Paste, Cut,
    DeleteChar, DeleteLastChar, DeleteLastWord,
    Undo, Redo,
    LineBreak, InsertLine,
    SelectAll,
    BlockIndent, BlockUnindent,
    DeleteLine, DeleteToLineEnd,
    GotoBookmark, SetBookmark,          // with the bookmark's number
    NormalSelectionMode, ColumnSelectionMode, LineSelectionMode,
    Tab, BackTab,
    MatchingBracket,
};

// Whether the command changes the text; a read-only control refuses these.
constexpr bool changesText(EditorCommand command)
{
    switch (command) {
    case EditorCommand::Paste:
    case EditorCommand::Cut:
    case EditorCommand::DeleteChar:
    case EditorCommand::DeleteLastChar:
    case EditorCommand::DeleteLastWord:
    case EditorCommand::Undo:
    case EditorCommand::Redo:
    case EditorCommand::LineBreak:
    case EditorCommand::InsertLine:
    case EditorCommand::BlockIndent:
    case EditorCommand::BlockUnindent:
    case EditorCommand::DeleteLine:
    case EditorCommand::DeleteToLineEnd:
    case EditorCommand::Tab:
    case EditorCommand::BackTab:
        return true;
    default:
        return false;
    }
}

} // namespace quoll::editor
