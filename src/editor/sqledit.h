#pragma once

#include <QPlainTextEdit>

namespace quoll::editor {

// The plain-text SQL editing control of the editor pages and the procedure
// text pane. Positions seen from outside count every line break as two
// characters (CR LF), as the rest of the program does.
class SqlEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    enum class Mode { Editable, ReadOnlyPane };

    explicit SqlEdit(Mode mode, QWidget *parent = nullptr);

    // The whole text with CR LF between lines.
    QString text() const;

    bool hasSelection() const;
    // The selected text with CR LF between lines.
    QString selectedText() const;
    // Replaces the selection with `text` (inserted at the caret when nothing
    // is selected) as one step of the undo history.
    void replaceSelection(const QString &text);

    // Selection start and length in characters over the whole text, line
    // breaks counted as two; the start is the caret without a selection.
    int selStart() const;
    int selLength() const;
    void setSelection(int start, int length);

    bool canUndo() const;
    bool canRedo() const;

private:
    // Converts between Qt's positions (one character per line break) and
    // positions that count a line break as two characters.
    int toOffset(int position) const;
    int toPosition(int offset) const;
};

} // namespace quoll::editor
