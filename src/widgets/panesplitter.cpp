#include "widgets/panesplitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace quoll::widgets {

PaneSplitter::PaneSplitter(Resizes what, int thickness, QWidget *parent)
    : QWidget(parent), m_resizes(what)
{
    if (what == Resizes::Width) {
        setFixedWidth(thickness);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        setCursor(Qt::SplitHCursor);
    } else {
        setFixedHeight(thickness);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setCursor(Qt::SplitVCursor);
    }
}

void PaneSplitter::setPane(QWidget *pane, Side side, int minimumSize)
{
    m_pane = pane;
    m_side = side;
    m_minimum = minimumSize;
}

int PaneSplitter::paneSize() const
{
    if (!m_pane)
        return 0;
    return m_resizes == Resizes::Width ? m_pane->width() : m_pane->height();
}

void PaneSplitter::setPaneSize(int size)
{
    if (!m_pane)
        return;
    size = std::max(size, m_minimum);
    if (m_resizes == Resizes::Width)
        m_pane->setFixedWidth(size);
    else
        m_pane->setFixedHeight(size);
    emit paneResized(size);
}

int PaneSplitter::along(const QPointF &globalPos) const
{
    return int(m_resizes == Resizes::Width ? globalPos.x() : globalPos.y());
}

void PaneSplitter::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pane)
        return QWidget::mousePressEvent(event);
    m_dragging = true;
    m_pressPos = along(event->globalPosition());
    m_pressSize = paneSize();
}

void PaneSplitter::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return QWidget::mouseMoveEvent(event);
    const int delta = along(event->globalPosition()) - m_pressPos;
    setPaneSize(m_side == Side::Before ? m_pressSize + delta : m_pressSize - delta);
}

void PaneSplitter::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void PaneSplitter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    if (m_resizes == Resizes::Width)
        option.state |= QStyle::State_Horizontal;
    style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}

} // namespace quoll::widgets
