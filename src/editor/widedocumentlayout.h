#pragma once

#include <QPlainTextDocumentLayout>

namespace quoll::editor {

// The plain-text layout of an editor, reporting the document at least as
// wide as a given number of pixels, so that the horizontal scroll bar
// reaches the maximum line length even when every line is shorter.
class WideDocumentLayout : public QPlainTextDocumentLayout
{
    Q_OBJECT

public:
    explicit WideDocumentLayout(QTextDocument *document) : QPlainTextDocumentLayout(document) {}

    void setMinimumWidth(qreal pixels);
    QSizeF documentSize() const override;

private:
    qreal m_minimumWidth = 0;
};

} // namespace quoll::editor
