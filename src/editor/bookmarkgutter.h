#pragma once

#include <QWidget>

namespace quoll::editor {

class SqlEdit;

// The narrow strip left of an editor's text that shows the numbers of the
// bookmarks on the visible lines.
class BookmarkGutter : public QWidget
{
    Q_OBJECT

public:
    explicit BookmarkGutter(SqlEdit *edit);

    // The width the strip needs for the editor's font.
    int preferredWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SqlEdit *m_edit;
};

} // namespace quoll::editor
