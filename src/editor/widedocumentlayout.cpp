#include "editor/widedocumentlayout.h"

namespace quoll::editor {

void WideDocumentLayout::setMinimumWidth(qreal pixels)
{
    if (qFuzzyCompare(pixels, m_minimumWidth))
        return;
    m_minimumWidth = pixels;
    emit documentSizeChanged(documentSize());
}

QSizeF WideDocumentLayout::documentSize() const
{
    QSizeF size = QPlainTextDocumentLayout::documentSize();
    size.setWidth(std::max(size.width(), m_minimumWidth));
    return size;
}

} // namespace quoll::editor
