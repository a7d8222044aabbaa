#pragma once

#include <QColor>
#include <QFlags>
#include <QString>

namespace quoll::editor {

// Editing options of a control.
enum class EditorOption {
    AutoIndent = 0x01,          // a line break repeats the blanks that start the line
    DragDropEditing = 0x02,     // selected text can be dragged within and out of the control
    ScrollPastEndOfLine = 0x04, // horizontal scrolling reaches the maximum line length
    ScrollHint = 0x08,          // dragging the vertical scroll bar shows the top line number
    SmartTabs = 0x10,           // Tab goes to the next word start of the line above
    TabsToSpaces = 0x20,        // Tab inserts blanks
    TrimTrailingSpaces = 0x40,  // a line break drops the blanks at the end of the line left
    NoCaret = 0x80,             // no caret is drawn
};
Q_DECLARE_FLAGS(EditorOptions, EditorOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(EditorOptions)

// How the main window sets up a control, plus the defaults every control has.
struct EditorConfiguration
{
    QString fontFamily = QStringLiteral("Courier New");
    int fontPixelHeight = 17;       // at 120 pixels per inch
    bool readOnly = false;
    EditorOptions options;
    bool wantTabs = false;          // Tab edits instead of moving the focus

    int rightEdgeColumn = 80;
    QColor rightEdgeColour = QColor(0xC0, 0xC0, 0xC0);
    int maxScrollWidth = 1024;      // characters, for horizontal scrolling
    int tabWidth = 8;
    int blockIndent = 2;            // blanks added or removed by indent and unindent
    int dragScrollMilliseconds = 100;
};

// The SQL pages mmSQL1 to mmSQL5.
const EditorConfiguration &sqlPageConfiguration();
// The read-only procedure text pane mmProcText: the same plus no caret.
const EditorConfiguration &procTextConfiguration();

} // namespace quoll::editor
