#include "editor/editorconfig.h"

namespace quoll::editor {

namespace {

constexpr EditorOptions PageOptions = EditorOptions(EditorOption::AutoIndent) | EditorOption::DragDropEditing
                                      | EditorOption::ScrollPastEndOfLine | EditorOption::ScrollHint
                                      | EditorOption::SmartTabs | EditorOption::TabsToSpaces
                                      | EditorOption::TrimTrailingSpaces;

} // namespace

const EditorConfiguration &sqlPageConfiguration()
{
    static const EditorConfiguration configuration = [] {
        EditorConfiguration c;
        c.options = PageOptions;
        return c;
    }();
    return configuration;
}

const EditorConfiguration &procTextConfiguration()
{
    static const EditorConfiguration configuration = [] {
        EditorConfiguration c;
        c.readOnly = true;
        c.options = PageOptions | EditorOption::NoCaret;
        return c;
    }();
    return configuration;
}

} // namespace quoll::editor
