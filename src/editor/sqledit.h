#pragma once

#include "editor/bookmarks.h"
#include "editor/editorcommand.h"
#include "editor/editorconfig.h"

#include <QPlainTextEdit>

#include <functional>
#include <optional>

namespace quoll::editor {

class BookmarkGutter;
class SqlHighlighter;
class TextLoader;
class EditorLayout;

// The plain-text SQL editing control of the editor pages and the procedure
// text pane, coloured by its own SqlHighlighter over the shared SQL dialect.
// Positions seen from outside count every line break as two characters
// (CR LF), as the rest of the program does.
class SqlEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    enum class Mode { Editable, ReadOnlyPane };
    enum class SelectionMode { Normal, Column, Line };

    // Sees every key before the control's bindings; returning true keeps the
    // key from every binding of the control. A key that types a character
    // still types it: handling a key stops its bindings, not typing.
    using KeyHandler = std::function<bool(QKeyEvent &)>;

    // An editor page (mmSQL1 to mmSQL5) or the procedure text pane.
    explicit SqlEdit(Mode mode, QWidget *parent = nullptr);
    SqlEdit(const EditorConfiguration &configuration, QWidget *parent = nullptr);
    ~SqlEdit() override;

    const EditorConfiguration &configuration() const { return m_configuration; }
    EditorOptions options() const { return m_configuration.options; }
    void setOptions(EditorOptions options);
    bool wantTabs() const { return m_configuration.wantTabs; }
    void setWantTabs(bool on);
    SqlHighlighter *highlighter() const { return m_highlighter; }
    void setKeyHandler(KeyHandler handler) { m_keyHandler = std::move(handler); }

    // The whole text with CR LF between lines.
    QString text() const;
    // Replaces the text (any line breaks); clears undo, redo and bookmarks.
    // A large text is shown at once and appended in the background.
    void setText(const QString &text);
    bool isLoading() const;
    void finishLoading();

    bool hasSelection() const;
    // The selected text with CR LF between lines (the block in column mode).
    QString selectedText() const;
    // Replaces the selection with `text` (inserted at the caret when nothing
    // is selected) as one step of the undo history.
    void replaceSelection(const QString &text);
    void deleteSelection();

    // Selection start and length in characters over the whole text, line
    // breaks counted as two; the start is the caret without a selection.
    int selStart() const;
    int selLength() const;
    void setSelection(int start, int length);

    bool canUndo() const;
    bool canRedo() const;
    bool canPaste() const;
    void cut();
    void copy();
    void paste();
    void SelectAll();

    QColor background() const;
    void setBackground(const QColor &colour);

    // Nested: repainting resumes when every suspend has been resumed.
    void suspendRepaint();
    void resumeRepaint();

    SelectionMode selectionMode() const { return m_selectionMode; }
    void setSelectionMode(SelectionMode mode);
    Bookmarks &bookmarks() { return m_bookmarks; }
    const Bookmarks &bookmarks() const { return m_bookmarks; }

    // Runs one command of the key bindings; false when the control refused
    // it (it would change a read-only text) or it had nothing to act on.
    bool runCommand(EditorCommand command, int argument = 0);

    // The column block of column selection mode, in visual columns; the
    // left column is included, the right one not.
    struct ColumnBlock
    {
        int firstLine = 0, lastLine = 0, leftColumn = 0, rightColumn = 0;
    };
    std::optional<ColumnBlock> columnBlock() const;

    // The x coordinate of the right-edge marker in viewport pixels.
    int rightEdgeX() const;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    // An editor page takes any drag; only text adds anything to it.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class BookmarkGutter;
    using Motion = std::function<void(QTextCursor &, QTextCursor::MoveMode)>;

    void applyConfiguration();
    void updateMetrics();
    int toOffset(int position) const;
    int toPosition(int offset) const;
    int visibleLines() const;
    int indexAtColumnOf(const QTextBlock &block, int column) const;
    int columnOf(const QTextCursor &cursor) const;

    void moveCaret(const Motion &motion, bool select);
    void moveInLineMode(const Motion &motion);
    Motion motionFor(EditorCommand command);
    void wordLeft(QTextCursor &cursor, QTextCursor::MoveMode mode) const;
    void wordRight(QTextCursor &cursor, QTextCursor::MoveMode mode) const;
    void toVisibleLine(QTextCursor &cursor, QTextCursor::MoveMode mode, bool bottom) const;

    bool runEdit(EditorCommand command);
    bool deleteColumnBlock();
    QString columnBlockText() const;
    void lineBreak(bool keepCaret);
    void indentBlock(bool indent);
    void deleteLine();
    void tab(bool back);
    void clearColumnBlock();
    void updateColumnBlockView();
    void paintGutter(QPaintEvent *event, QWidget *gutter);
    int gutterWidth() const;

    EditorConfiguration m_configuration;
    SqlHighlighter *m_highlighter = nullptr;
    TextLoader *m_loader = nullptr;
    EditorLayout *m_layout = nullptr;
    BookmarkGutter *m_gutter = nullptr;
    Bookmarks m_bookmarks;
    KeyHandler m_keyHandler;
    int m_repaintSuspended = 0;

    SelectionMode m_selectionMode = SelectionMode::Normal;
    // Column mode: where the block was started (line, visual column).
    std::optional<std::pair<int, int>> m_columnAnchor;
    // Line mode: the line the selection started on and the caret that the
    // commands move, apart from the whole-line selection shown.
    int m_lineAnchor = -1;
    QTextCursor m_lineCaret;
};

} // namespace quoll::editor
