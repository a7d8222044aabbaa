#include "editor/textloader.h"

#include "editor/editorlayout.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace quoll::editor {

namespace {

// Where a piece of at least `wanted` characters from `from` may end: just
// before a line break, so that every piece after the first starts with one.
qsizetype pieceEnd(const QString &text, qsizetype from, qsizetype wanted)
{
    if (text.size() - from <= wanted)
        return text.size();
    qsizetype end = text.indexOf(u'\n', from + wanted);
    if (end < 0)
        return text.size();
    if (end > 0 && text[end - 1] == u'\r')
        --end;  // keep CR LF together in the next piece
    return end;
}

} // namespace

TextLoader::TextLoader(QPlainTextEdit *edit) : QObject(edit), m_edit(edit)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &TextLoader::appendSlice);
}

void TextLoader::setSlice(int milliseconds, qsizetype pieceCharacters)
{
    m_sliceMilliseconds = milliseconds;
    m_pieceCharacters = std::max<qsizetype>(1, pieceCharacters);
}

void TextLoader::load(QString text)
{
    m_timer.stop();
    if (isLoading()) {
        // The text being loaded is replaced anyway: drop what is left of it.
        m_edit->document()->setUndoRedoEnabled(m_undoWasEnabled);
        m_text.clear();
        m_done = 0;
    }
    if (text.size() <= DirectLimit) {
        m_text.clear();
        m_done = 0;
        m_edit->setPlainText(text);
        return;
    }
    m_text = std::move(text);
    const qsizetype first = pieceEnd(m_text, 0, m_pieceCharacters);
    m_edit->setPlainText(m_text.left(first));
    m_done = first;
    QTextDocument *document = m_edit->document();
    m_undoWasEnabled = document->isUndoRedoEnabled();
    m_wasModified = document->isModified();
    document->setUndoRedoEnabled(false);
    m_timer.start();
}

void TextLoader::appendPiece(qsizetype characters)
{
    const qsizetype end = pieceEnd(m_text, m_done, characters);
    // The editor's own cursor sits at the end when the caret was put there:
    // appending must not carry it along.
    QTextCursor caret = m_edit->textCursor();
    const int anchor = caret.anchor();
    const int position = caret.position();
    // Text added below the last line shown needs no repaint.
    auto *layout = qobject_cast<EditorLayout *>(m_edit->document()->documentLayout());
    const QTextBlock lastShown = m_edit->cursorForPosition(QPoint(0, m_edit->viewport()->height())).block();
    const bool outOfSight = m_edit->isVisible() && lastShown.next().isValid();
    if (layout)
        layout->setQuiet(outOfSight);
    QTextCursor cursor(m_edit->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringView(m_text).sliced(m_done, end - m_done).toString());
    if (layout)
        layout->setQuiet(false);
    m_done = end;
    if (caret.anchor() != anchor || caret.position() != position) {
        caret.setPosition(anchor);
        caret.setPosition(position, QTextCursor::KeepAnchor);
        m_edit->setTextCursor(caret);
    }
}

void TextLoader::appendSlice()
{
    QElapsedTimer clock;
    clock.start();
    while (isLoading() && clock.elapsed() < m_sliceMilliseconds)
        appendPiece(m_pieceCharacters);
    if (isLoading())
        m_timer.start();
    else
        complete();
}

void TextLoader::finish()
{
    if (!isLoading())
        return;
    m_timer.stop();
    appendPiece(m_text.size());
    complete();
}

void TextLoader::complete()
{
    if (isLoading())
        appendPiece(m_text.size());
    m_timer.stop();
    QTextDocument *document = m_edit->document();
    document->setUndoRedoEnabled(m_undoWasEnabled);
    document->setModified(m_wasModified);
    m_text.clear();
    m_done = 0;
    emit finished();
}

} // namespace quoll::editor
