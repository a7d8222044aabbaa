#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace quoll::results {

// The value viewer "Расширеный просмотр": a stay-on-top window without an
// owner that shows one text in full in a read-only box. Closing it only
// hides it; it lives until the program ends.
class ValueViewer : public QWidget
{
    Q_OBJECT

public:
    ValueViewer();

    // Replaces the shown text; shows the window when it is hidden and leaves
    // it where it is when it is visible.
    void showInViewer(const QString &text);

    QPlainTextEdit *textView() const { return m_text; }

    // The text's font height in the platform's convention: negative, the
    // character height in pixels.
    int textFontHeight() const;
    void setTextFontHeight(int height);

private:
    QPlainTextEdit *m_text;
};

} // namespace quoll::results
