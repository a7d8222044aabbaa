#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

namespace quoll::editor {

// Puts a large text into an editor in pieces: the first piece at once, so
// that the first screen can be shown and the caret moved, and the rest in
// slices from a zero timer, appended at the end of the document. While it
// loads, the document keeps no undo history; the owner finishes the load
// before anything edits the text or reads it as a whole.
class TextLoader : public QObject
{
    Q_OBJECT

public:
    explicit TextLoader(QPlainTextEdit *edit);

    // Texts up to this many characters are set in one piece.
    static constexpr qsizetype DirectLimit = 1 << 20;

    // Replaces the editor's text with `text` (line breaks CR LF, CR or LF).
    void load(QString text);
    bool isLoading() const { return m_done < m_text.size(); }
    // Appends everything that is left now.
    void finish();

    // How much is appended per slice, and per piece within a slice; for tests.
    void setSlice(int milliseconds, qsizetype pieceCharacters);

signals:
    void finished();

private:
    void appendPiece(qsizetype characters);
    void appendSlice();
    void complete();

    QPlainTextEdit *m_edit;
    QString m_text;
    qsizetype m_done = 0;
    bool m_undoWasEnabled = true;
    bool m_wasModified = false;
    int m_sliceMilliseconds = 8;
    qsizetype m_pieceCharacters = 16 * 1024;
    QTimer m_timer;
};

} // namespace quoll::editor
