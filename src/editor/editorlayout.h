#pragma once

#include <QPlainTextDocumentLayout>

namespace quoll::editor {

// The plain-text layout of an editor. It reports the document at least as
// wide as a given number of pixels, so that the horizontal scroll bar
// reaches the maximum line length even when every line is shorter; and it
// can take a run of colour changes as one change, so that lines coloured
// in the background are laid out again only when they are shown, instead
// of one by one as each gets its colours; and it can keep quiet about text
// added out of sight.
class EditorLayout : public QPlainTextDocumentLayout
{
    Q_OBJECT

public:
    explicit EditorLayout(QTextDocument *document) : QPlainTextDocumentLayout(document) {}

    void setMinimumWidth(qreal pixels);
    QSizeF documentSize() const override;

    // Between these, format-only changes are gathered into one.
    void beginBatch();
    void endBatch();

    // While quiet, changes resize the document but repaint nothing: for
    // text appended below what the editor shows.
    void setQuiet(bool quiet) { m_quiet = quiet; }

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    void flush();

    qreal m_minimumWidth = 0;
    bool m_batching = false;
    bool m_quiet = false;
    int m_batchFrom = -1;
    int m_batchTo = -1;
};

} // namespace quoll::editor
