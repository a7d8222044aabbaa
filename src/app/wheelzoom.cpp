#include "app/wheelzoom.h"

#include <QApplication>
#include <QFontInfo>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace quoll::app {

void zoomFont(QWidget *widget, int points)
{
    QFont font = widget->font();
    const qreal size = QFontInfo(font).pointSizeF();
    font.setPointSizeF(std::max<qreal>(1, size + points));
    widget->setFont(font);
}

WheelZoom::WheelZoom(QWidget *window, std::function<QWidget *()> currentEditor, QObject *parent)
    : QObject(parent), m_window(window), m_currentEditor(std::move(currentEditor))
{
    qApp->installEventFilter(this);
}

void WheelZoom::addTarget(QWidget *widget, std::function<void(int)> zoom)
{
    m_targets.append({widget, std::move(zoom)});
}

int WheelZoom::steps(const QWheelEvent &event)
{
    if (event.modifiers() != Qt::ControlModifier || event.buttons() != Qt::NoButton)
        return 0;
    return -event.angleDelta().y() / 120;
}

bool WheelZoom::focusUsesWheel() const
{
    const QWidget *focus = QApplication::focusWidget();
    for (const QPointer<QWidget> &user : m_wheelUsers)
        if (user && focus && (focus == user || user->isAncestorOf(focus)))
            return true;
    return false;
}

static bool within(const QWidget *widget, const QWidget *point)
{
    return widget && point && (widget == point || widget->isAncestorOf(point));
}

bool WheelZoom::apply(const QWheelEvent &event)
{
    const int points = steps(event);
    if (points == 0 || focusUsesWheel())
        return false;
    const QWidget *under = QApplication::widgetAt(event.globalPosition().toPoint());
    bool zoomed = false;
    if (QWidget *editor = m_currentEditor ? m_currentEditor() : nullptr; within(editor, under) && m_editorZoom) {
        m_editorZoom(editor, points);
        zoomed = true;
    }
    for (const Target &target : std::as_const(m_targets)) {
        if (within(target.widget, under)) {
            target.zoom(points);
            zoomed = true;
        }
    }
    return zoomed;
}

// A wheel event passes up from child to parent until one takes it; it is
// applied once, at its first stop inside this window. It is never eaten.
bool WheelZoom::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    auto *wheel = static_cast<QWheelEvent *>(event);
    if (event == m_lastEvent && wheel->timestamp() == m_lastTimestamp)
        return false;
    m_lastEvent = event;
    m_lastTimestamp = wheel->timestamp();
    apply(*wheel);
    return false;
}

} // namespace quoll::app
