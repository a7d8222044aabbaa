#include "editor/sqledit.h"

#include "widgets/screenscale.h"

#include <QTextBlock>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

namespace quoll::editor {

namespace {

QString withCrLf(QString text)
{
    // Qt separates paragraphs with U+2029 in selections and '\n' in plain text.
    text.replace(QChar(QChar::ParagraphSeparator), u'\n');
    text.replace(u"\n"_s, u"\r\n"_s);
    return text;
}

} // namespace

SqlEdit::SqlEdit(Mode mode, QWidget *parent) : QPlainTextEdit(parent)
{
    QFont font(u"Courier New"_s);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(widgets::scaled(17));
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(QFontMetricsF(font).horizontalAdvance(u' ') * 8);
    setWordWrapMode(QTextOption::NoWrap);
    if (mode == Mode::ReadOnlyPane) {
        setReadOnly(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        setCursorWidth(0);
        setUndoRedoEnabled(false);
    }
}

QString SqlEdit::text() const
{
    return withCrLf(toPlainText());
}

bool SqlEdit::hasSelection() const
{
    return textCursor().hasSelection();
}

QString SqlEdit::selectedText() const
{
    return withCrLf(textCursor().selectedText());
}

void SqlEdit::replaceSelection(const QString &text)
{
    QString plain = text;
    plain.replace(u"\r\n"_s, u"\n"_s);
    plain.replace(u'\r', u'\n');
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.insertText(plain);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

int SqlEdit::toOffset(int position) const
{
    const QTextBlock block = document()->findBlock(position);
    return position + (block.isValid() ? block.blockNumber() : 0);
}

int SqlEdit::toPosition(int offset) const
{
    // Each block before the target adds one extra character to the offset.
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const int blockStart = block.position() + block.blockNumber();
        const int blockEnd = blockStart + block.length() - 1; // offset of its line end
        if (offset <= blockEnd || !block.next().isValid())
            return block.position() + std::clamp(offset - blockStart, 0, block.length() - 1);
        if (offset == blockEnd + 1) // between CR and LF: the line end itself
            return block.position() + block.length() - 1;
    }
    return 0;
}

int SqlEdit::selStart() const
{
    return toOffset(textCursor().selectionStart());
}

int SqlEdit::selLength() const
{
    const QTextCursor cursor = textCursor();
    return toOffset(cursor.selectionEnd()) - toOffset(cursor.selectionStart());
}

void SqlEdit::setSelection(int start, int length)
{
    QTextCursor cursor(document());
    cursor.setPosition(toPosition(start));
    cursor.setPosition(toPosition(start + length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

bool SqlEdit::canUndo() const
{
    return document()->isUndoAvailable();
}

bool SqlEdit::canRedo() const
{
    return document()->isRedoAvailable();
}

} // namespace quoll::editor
