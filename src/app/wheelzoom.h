#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QWheelEvent;
class QWidget;

namespace quoll::app {

// Font zoom with Ctrl and the mouse wheel: a turn towards the user makes
// the font of the control under the pointer one point larger, a turn away
// one point smaller. The pointer picks the control (the current SQL editor,
// the catalog lists, the grids, the log list), not the focus; while the
// focus is in an SQL editor or a grid, which use the wheel themselves,
// nothing is zoomed. The turn still reaches the control as usual.
class WheelZoom : public QObject
{
    Q_OBJECT

public:
    struct Target
    {
        QPointer<QWidget> widget;
        // Changes the widget's font by `points`.
        std::function<void(int points)> zoom;
    };

    WheelZoom(QWidget *window, std::function<QWidget *()> currentEditor, QObject *parent = nullptr);

    // Controls that zoom when under the pointer.
    void addTarget(QWidget *widget, std::function<void(int points)> zoom);
    // Controls that use the wheel themselves while they have the focus.
    void addWheelUser(QWidget *widget) { m_wheelUsers.append(widget); }
    void setEditorZoom(std::function<void(QWidget *editor, int points)> zoom) { m_editorZoom = std::move(zoom); }

    // The step of one event: +1 per notch towards the user, -1 away;
    // 0 unless exactly Ctrl is held and no mouse button.
    static int steps(const QWheelEvent &event);

    // Applies one wheel event; true when a control was zoomed.
    bool apply(const QWheelEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool focusUsesWheel() const;

    QWidget *m_window;
    std::function<QWidget *()> m_currentEditor;
    std::function<void(QWidget *, int)> m_editorZoom;
    QList<Target> m_targets;
    QList<QPointer<QWidget>> m_wheelUsers;
    const QEvent *m_lastEvent = nullptr;
    quint64 m_lastTimestamp = 0;
};

// Makes `widget`'s font `points` points larger (smaller when negative),
// never below one point.
void zoomFont(QWidget *widget, int points);

} // namespace quoll::app
