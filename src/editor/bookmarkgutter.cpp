#include "editor/bookmarkgutter.h"

#include "editor/sqledit.h"

#include <QPainter>
#include <QTextBlock>

namespace quoll::editor {

BookmarkGutter::BookmarkGutter(SqlEdit *edit) : QWidget(edit), m_edit(edit)
{
    setObjectName(QStringLiteral("bookmarkGutter"));
}

int BookmarkGutter::preferredWidth() const
{
    return m_edit->fontMetrics().horizontalAdvance(u'0') + 6;
}

void BookmarkGutter::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Button));
    painter.setFont(m_edit->font());
    const QPointF offset = m_edit->contentOffset();
    for (QTextBlock block = m_edit->firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = m_edit->blockBoundingGeometry(block).translated(offset);
        if (box.top() > event->rect().bottom())
            break;
        const int number = m_edit->bookmarks().onLine(block.blockNumber());
        if (number < 0)
            continue;
        const QRectF mark(0, box.top(), width(), box.height());
        painter.fillRect(mark.adjusted(1, 1, -1, -1), QColor(0x00, 0x80, 0x80));
        painter.setPen(Qt::white);
        painter.drawText(mark, Qt::AlignCenter, QString::number(number));
    }
}

} // namespace quoll::editor
