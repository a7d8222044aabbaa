#include "editor/editorlayout.h"

#include <QTextDocument>

namespace quoll::editor {

void EditorLayout::setMinimumWidth(qreal pixels)
{
    if (qFuzzyCompare(pixels, m_minimumWidth))
        return;
    m_minimumWidth = pixels;
    emit documentSizeChanged(documentSize());
}

QSizeF EditorLayout::documentSize() const
{
    QSizeF size = QPlainTextDocumentLayout::documentSize();
    size.setWidth(std::max(size.width(), m_minimumWidth));
    return size;
}

void EditorLayout::beginBatch()
{
    m_batching = true;
}

void EditorLayout::endBatch()
{
    m_batching = false;
    flush();
}

void EditorLayout::flush()
{
    if (m_batchFrom < 0)
        return;
    const int from = m_batchFrom;
    const int length = std::min(m_batchTo, document()->characterCount()) - from;
    m_batchFrom = m_batchTo = -1;
    if (length > 0)
        QPlainTextDocumentLayout::documentChanged(from, length, length);
}

void EditorLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    if (!m_batching || charsRemoved != charsAdded) {
        flush();
        if (!m_quiet) {
            QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
            return;
        }
        // The base class asks for a repaint of the whole view; only the new
        // size (for the scroll bars) is passed on.
        const bool wasBlocked = blockSignals(true);
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
        blockSignals(wasBlocked);
        emit documentSizeChanged(documentSize());
        return;
    }
    m_batchFrom = m_batchFrom < 0 ? from : std::min(m_batchFrom, from);
    m_batchTo = std::max(m_batchTo, from + charsAdded);
}

} // namespace quoll::editor
