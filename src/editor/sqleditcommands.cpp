// The commands of the editor's key bindings: caret moves in the three
// selection modes, the editing commands, bookmarks and the column block.
#include "editor/sqledit.h"

#include "editor/bookmarkgutter.h"
#include "editor/sqlhighlighter.h"
#include "editor/textnavigation.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

namespace quoll::editor {

namespace {

using C = EditorCommand;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString leadingBlanks(const QString &line)
{
    int n = 0;
    while (n < line.size() && isBlank(line[n]))
        ++n;
    return line.left(n);
}

} // namespace

int SqlEdit::indexAtColumnOf(const QTextBlock &block, int column) const
{
    return indexAtColumn(block.text(), column, m_configuration.tabWidth);
}

int SqlEdit::columnOf(const QTextCursor &cursor) const
{
    return visualColumn(cursor.block().text(), cursor.positionInBlock(), m_configuration.tabWidth);
}

// --- moves --------------------------------------------------------------------

void SqlEdit::wordLeft(QTextCursor &cursor, QTextCursor::MoveMode mode) const
{
    const QTextBlock block = cursor.block();
    if (const auto column = previousWordStart(block.text(), cursor.positionInBlock()))
        cursor.setPosition(block.position() + *column, mode);
    else if (block.previous().isValid())
        cursor.setPosition(block.position() - 1, mode);
}

void SqlEdit::wordRight(QTextCursor &cursor, QTextCursor::MoveMode mode) const
{
    const QTextBlock block = cursor.block();
    if (const auto column = nextWordStart(block.text(), cursor.positionInBlock()))
        cursor.setPosition(block.position() + *column, mode);
    else if (block.next().isValid())
        cursor.setPosition(block.next().position(), mode);
}

void SqlEdit::toVisibleLine(QTextCursor &cursor, QTextCursor::MoveMode mode, bool bottom) const
{
    QTextBlock target = firstVisibleBlock();
    if (bottom) {
        for (int i = 1; i < visibleLines() && target.next().isValid(); ++i)
            target = target.next();
    }
    const int column = std::min(cursor.positionInBlock(), target.length() - 1);
    cursor.setPosition(target.position() + column, mode);
}

SqlEdit::Motion SqlEdit::motionFor(EditorCommand command)
{
    const auto op = [](QTextCursor::MoveOperation operation, int times = 1) {
        return [operation, times](QTextCursor &c, QTextCursor::MoveMode m) { c.movePosition(operation, m, times); };
    };
    const int page = visibleLines();
    switch (command) {
    case C::CaretUp: case C::SelectUp: return op(QTextCursor::Up);
    case C::CaretDown: case C::SelectDown: return op(QTextCursor::Down);
    case C::CaretLeft: case C::SelectLeft: return op(QTextCursor::Left);
    case C::CaretRight: case C::SelectRight: return op(QTextCursor::Right);
    case C::WordLeft: case C::SelectWordLeft:
        return [this](QTextCursor &c, QTextCursor::MoveMode m) { wordLeft(c, m); };
    case C::WordRight: case C::SelectWordRight:
        return [this](QTextCursor &c, QTextCursor::MoveMode m) { wordRight(c, m); };
    case C::PageUp: case C::SelectPageUp:
        return [this, page](QTextCursor &c, QTextCursor::MoveMode m) {
            verticalScrollBar()->setValue(verticalScrollBar()->value() - page);
            c.movePosition(QTextCursor::Up, m, page);
        };
    case C::PageDown: case C::SelectPageDown:
        return [this, page](QTextCursor &c, QTextCursor::MoveMode m) {
            verticalScrollBar()->setValue(verticalScrollBar()->value() + page);
            c.movePosition(QTextCursor::Down, m, page);
        };
    case C::PageTop: case C::SelectPageTop:
        return [this](QTextCursor &c, QTextCursor::MoveMode m) { toVisibleLine(c, m, false); };
    case C::PageBottom: case C::SelectPageBottom:
        return [this](QTextCursor &c, QTextCursor::MoveMode m) { toVisibleLine(c, m, true); };
    case C::LineStart: case C::SelectLineStart: return op(QTextCursor::StartOfBlock);
    case C::LineEnd: case C::SelectLineEnd: return op(QTextCursor::EndOfBlock);
    case C::TextStart: case C::SelectTextStart: return op(QTextCursor::Start);
    case C::TextEnd: case C::SelectTextEnd: return op(QTextCursor::End);
    default: return {};
    }
}

void SqlEdit::moveCaret(const Motion &motion, bool select)
{
    if (!select || m_selectionMode == SelectionMode::Normal) {
        clearColumnBlock();
        m_lineAnchor = -1;
        QTextCursor cursor = textCursor();
        if (!select && cursor.hasSelection()) {
            // A plain move starts from the selection's end it goes towards.
            QTextCursor probe = cursor;
            probe.clearSelection();
            cursor = probe;
        }
        motion(cursor, select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
        setTextCursor(cursor);
        return;
    }
    if (m_selectionMode == SelectionMode::Line) {
        moveInLineMode(motion);
        return;
    }
    QTextCursor cursor = textCursor();
    if (!m_columnAnchor) {
        cursor.clearSelection();
        m_columnAnchor = std::pair(cursor.blockNumber(), columnOf(cursor));
    }
    motion(cursor, QTextCursor::MoveAnchor);
    setTextCursor(cursor);
    updateColumnBlockView();
}

// Line mode selects whole lines from the start line to the caret's line; the
// caret the commands move is kept apart from the selection shown.
void SqlEdit::moveInLineMode(const Motion &motion)
{
    if (m_lineAnchor < 0) {
        m_lineCaret = textCursor();
        m_lineCaret.clearSelection();
        m_lineAnchor = m_lineCaret.blockNumber();
    }
    motion(m_lineCaret, QTextCursor::MoveAnchor);
    const QTextBlock anchor = document()->findBlockByNumber(m_lineAnchor);
    const QTextBlock caret = m_lineCaret.block();
    const QTextBlock first = caret.blockNumber() < anchor.blockNumber() ? caret : anchor;
    const QTextBlock last = caret.blockNumber() < anchor.blockNumber() ? anchor : caret;
    const int end = last.next().isValid() ? last.next().position() : last.position() + last.length() - 1;
    QTextCursor shown(document());
    const bool upwards = caret.blockNumber() < anchor.blockNumber();
    shown.setPosition(upwards ? end : first.position());
    shown.setPosition(upwards ? first.position() : end, QTextCursor::KeepAnchor);
    const int lineAnchor = m_lineAnchor;
    const QTextCursor lineCaret = m_lineCaret;
    setTextCursor(shown);
    m_lineAnchor = lineAnchor;
    m_lineCaret = lineCaret;
}

void SqlEdit::setSelectionMode(SelectionMode mode)
{
    m_selectionMode = mode;
    clearColumnBlock();
    m_lineAnchor = -1;
}

// --- column block -------------------------------------------------------------

std::optional<SqlEdit::ColumnBlock> SqlEdit::columnBlock() const
{
    if (!m_columnAnchor)
        return std::nullopt;
    const QTextCursor caret = textCursor();
    const int line = caret.blockNumber();
    const int column = columnOf(caret);
    ColumnBlock block{std::min(line, m_columnAnchor->first), std::max(line, m_columnAnchor->first),
                      std::min(column, m_columnAnchor->second), std::max(column, m_columnAnchor->second)};
    if (block.leftColumn == block.rightColumn)
        return std::nullopt;
    return block;
}

QString SqlEdit::columnBlockText() const
{
    const auto block = columnBlock();
    if (!block)
        return {};
    QStringList lines;
    for (int n = block->firstLine; n <= block->lastLine; ++n) {
        const QTextBlock line = document()->findBlockByNumber(n);
        const int from = indexAtColumnOf(line, block->leftColumn);
        const int to = indexAtColumnOf(line, block->rightColumn);
        lines << line.text().mid(from, to - from);
    }
    return lines.join(u'\n');
}

bool SqlEdit::deleteColumnBlock()
{
    const auto block = columnBlock();
    clearColumnBlock();
    if (!block)
        return false;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (int n = block->firstLine; n <= block->lastLine; ++n) {
        const QTextBlock line = document()->findBlockByNumber(n);
        cursor.setPosition(line.position() + indexAtColumnOf(line, block->leftColumn));
        cursor.setPosition(line.position() + indexAtColumnOf(line, block->rightColumn), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.endEditBlock();
    const QTextBlock first = document()->findBlockByNumber(block->firstLine);
    QTextCursor caret(document());
    caret.setPosition(first.position() + indexAtColumnOf(first, block->leftColumn));
    setTextCursor(caret);
    return true;
}

void SqlEdit::clearColumnBlock()
{
    if (!m_columnAnchor)
        return;
    m_columnAnchor.reset();
    setExtraSelections({});
}

// Shows the block through extra selections on the visible lines only, so
// that a block over a long text costs no more than a screen.
void SqlEdit::updateColumnBlockView()
{
    QList<QTextEdit::ExtraSelection> shown;
    if (const auto block = columnBlock()) {
        QTextCharFormat format;
        format.setBackground(palette().brush(QPalette::Highlight));
        format.setForeground(palette().brush(QPalette::HighlightedText));
        const int top = firstVisibleBlock().blockNumber();
        const int from = std::max(block->firstLine, top);
        const int to = std::min(block->lastLine, top + visibleLines() + 1);
        for (int n = from; n <= to; ++n) {
            const QTextBlock line = document()->findBlockByNumber(n);
            QTextEdit::ExtraSelection piece;
            piece.cursor = QTextCursor(document());
            piece.cursor.setPosition(line.position() + indexAtColumnOf(line, block->leftColumn));
            piece.cursor.setPosition(line.position() + indexAtColumnOf(line, block->rightColumn),
                                     QTextCursor::KeepAnchor);
            piece.format = format;
            shown << piece;
        }
    }
    setExtraSelections(shown);
}

// --- editing ------------------------------------------------------------------

void SqlEdit::lineBreak(bool keepCaret)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const QString line = cursor.block().text();
    const int column = cursor.positionInBlock();
    if (m_configuration.options.testFlag(EditorOption::TrimTrailingSpaces)) {
        int keep = column;
        while (keep > 0 && isBlank(line[keep - 1]))
            --keep;
        if (keep < column) {
            cursor.setPosition(cursor.block().position() + keep, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
    }
    const int before = cursor.position();
    QString inserted = u"\n"_s;
    if (m_configuration.options.testFlag(EditorOption::AutoIndent) && !keepCaret)
        inserted += leadingBlanks(line.left(column));
    cursor.insertText(inserted);
    if (keepCaret)
        cursor.setPosition(before);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void SqlEdit::indentBlock(bool indent)
{
    QTextCursor cursor = textCursor();
    QTextBlock first = document()->findBlock(cursor.selectionStart());
    QTextBlock last = document()->findBlock(cursor.selectionEnd());
    // A selection that ends at the start of a line does not take that line.
    if (cursor.hasSelection() && last != first && cursor.selectionEnd() == last.position())
        last = last.previous();
    const QString blanks(m_configuration.blockIndent, u' ');
    QTextCursor edit(document());
    edit.beginEditBlock();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        edit.setPosition(block.position());
        if (indent) {
            edit.insertText(blanks);
        } else {
            const QString text = block.text();
            int remove = 0;
            if (!text.isEmpty() && text[0] == u'\t')
                remove = 1;
            else
                while (remove < m_configuration.blockIndent && remove < text.size() && text[remove] == u' ')
                    ++remove;
            edit.setPosition(block.position() + remove, QTextCursor::KeepAnchor);
            edit.removeSelectedText();
        }
        if (block == last)
            break;
    }
    edit.endEditBlock();
    if (cursor.hasSelection()) {
        QTextCursor selection(document());
        selection.setPosition(first.position());
        selection.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
        setTextCursor(selection);
    }
}

void SqlEdit::deleteLine()
{
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    const QTextBlock block = cursor.block();
    cursor.beginEditBlock();
    if (block.next().isValid()) {
        cursor.setPosition(block.position());
        cursor.setPosition(block.next().position(), QTextCursor::KeepAnchor);
    } else if (block.previous().isValid()) {
        cursor.setPosition(block.position() - 1);
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(block.position());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
    cursor.endEditBlock();
    cursor.movePosition(QTextCursor::StartOfBlock);
    setTextCursor(cursor);
}

// Tab goes to the next tab stop, or with smart tabs to the start of the next
// word on the nearest non-empty line above; Back tab goes back to the
// previous stop, taking away the blanks in between.
void SqlEdit::tab(bool back)
{
    QTextCursor cursor = textCursor();
    const int width = m_configuration.tabWidth;
    const int column = columnOf(cursor);
    if (back) {
        const QString line = cursor.block().text();
        int at = cursor.positionInBlock();
        const int stop = column == 0 ? 0 : (column - 1) / width * width;
        while (at > 0 && line[at - 1] == u' ' && visualColumn(line, at - 1, width) >= stop)
            --at;
        cursor.setPosition(cursor.block().position() + at, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        setTextCursor(cursor);
        return;
    }
    int target = (column / width + 1) * width;
    if (m_configuration.options.testFlag(EditorOption::SmartTabs)) {
        for (QTextBlock above = cursor.block().previous(); above.isValid(); above = above.previous()) {
            const QString text = above.text();
            if (text.trimmed().isEmpty())
                continue;
            int i = indexAtColumn(text, column, width);
            while (i < text.size() && !isBlank(text[i]))
                ++i;
            while (i < text.size() && isBlank(text[i]))
                ++i;
            if (i < text.size())
                target = visualColumn(text, i, width);
            break;
        }
    }
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    if (m_configuration.options.testFlag(EditorOption::TabsToSpaces))
        cursor.insertText(QString(std::max(1, target - columnOf(cursor)), u' '));
    else
        cursor.insertText(u"\t"_s);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

bool SqlEdit::runEdit(EditorCommand command)
{
    QTextCursor cursor = textCursor();
    switch (command) {
    case C::Paste: paste(); return true;
    case C::Cut: cut(); return true;
    case C::DeleteChar:
        if (m_columnAnchor)
            return deleteColumnBlock();
        cursor.deleteChar();
        break;
    case C::DeleteLastChar:
        if (m_columnAnchor)
            return deleteColumnBlock();
        cursor.deletePreviousChar();
        break;
    case C::DeleteLastWord:
        if (m_columnAnchor)
            return deleteColumnBlock();
        if (!cursor.hasSelection())
            wordLeft(cursor, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
    case C::Undo: undo(); return true;
    case C::Redo: redo(); return true;
    case C::LineBreak:
    case C::InsertLine:
        if (m_columnAnchor)
            deleteColumnBlock();
        lineBreak(command == C::InsertLine);
        return true;
    case C::BlockIndent: indentBlock(true); return true;
    case C::BlockUnindent: indentBlock(false); return true;
    case C::DeleteLine: deleteLine(); return true;
    case C::DeleteToLineEnd:
        cursor.clearSelection();
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
    case C::Tab: tab(false); return true;
    case C::BackTab: tab(true); return true;
    default: return false;
    }
    setTextCursor(cursor);
    return true;
}

bool SqlEdit::runCommand(EditorCommand command, int argument)
{
    if (changesText(command)) {
        if (isReadOnly())
            return false;
        finishLoading();
        if (command != C::Cut && command != C::Paste && command != C::DeleteChar && command != C::DeleteLastChar
            && command != C::DeleteLastWord && command != C::LineBreak && command != C::InsertLine)
            clearColumnBlock();
        m_lineAnchor = -1;
        const bool done = runEdit(command);
        ensureCursorVisible();
        return done;
    }
    switch (command) {
    case C::ScrollLineUp:
    case C::ScrollLineDown: {
        QScrollBar *bar = verticalScrollBar();
        bar->setValue(bar->value() + (command == C::ScrollLineUp ? -1 : 1));
        return true;
    }
    case C::ToggleInsertMode:
        if (m_configuration.options.testFlag(EditorOption::NoCaret))
            return false;
        setOverwriteMode(!overwriteMode());
        return true;
    case C::Copy: copy(); return true;
    case C::SelectAll: SelectAll(); return true;
    case C::GotoBookmark: {
        const auto position = m_bookmarks.position(argument);
        if (!position)
            return false;
        QTextCursor cursor(document());
        cursor.setPosition(*position);
        clearColumnBlock();
        m_lineAnchor = -1;
        setTextCursor(cursor);
        centerCursor();
        return true;
    }
    case C::SetBookmark:
        m_bookmarks.toggle(argument, textCursor().position());
        m_gutter->update();
        return true;
    case C::NormalSelectionMode: setSelectionMode(SelectionMode::Normal); return true;
    case C::ColumnSelectionMode: setSelectionMode(SelectionMode::Column); return true;
    case C::LineSelectionMode: setSelectionMode(SelectionMode::Line); return true;
    case C::MatchingBracket: {
        const auto match = matchingBracket(*document(), textCursor().position());
        if (!match)
            return false;
        QTextCursor cursor = textCursor();
        cursor.setPosition(*match);
        setTextCursor(cursor);
        return true;
    }
    default:
        break;
    }
    const Motion motion = motionFor(command);
    if (!motion)
        return false;
    if (command == C::TextEnd || command == C::SelectTextEnd || command == C::PageDown
        || command == C::SelectPageDown)
        finishLoading();
    const bool select = command == C::SelectUp || command == C::SelectDown || command == C::SelectLeft
                        || command == C::SelectRight || command == C::SelectWordLeft
                        || command == C::SelectWordRight || command == C::SelectPageUp
                        || command == C::SelectPageDown || command == C::SelectPageTop
                        || command == C::SelectPageBottom || command == C::SelectLineStart
                        || command == C::SelectLineEnd || command == C::SelectTextStart
                        || command == C::SelectTextEnd;
    moveCaret(motion, select);
    ensureCursorVisible();
    return true;
}

} // namespace quoll::editor
