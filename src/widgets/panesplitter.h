#pragma once

#include <QPointer>
#include <QWidget>

namespace quoll::widgets {

// A thin bar that resizes one neighbouring pane when dragged, the way a
// splitter between a fixed-size pane and a filling one works: the pane keeps
// a fixed width (or height) that the bar changes, never below the pane's
// minimum. The bar stands next to the pane in the same layout.
class PaneSplitter : public QWidget
{
    Q_OBJECT

public:
    // `side` says where the pane stands seen from the bar: Before means left
    // of (or above) the bar, After means right of (or below) it.
    enum class Side { Before, After };

    // Width: a vertical bar dragged left and right; Height: a horizontal bar
    // dragged up and down.
    enum class Resizes { Width, Height };

    PaneSplitter(Resizes what, int thickness, QWidget *parent = nullptr);

    void setPane(QWidget *pane, Side side, int minimumSize);
    QWidget *pane() const { return m_pane; }
    Resizes resizes() const { return m_resizes; }

    // The pane's size along the bar's direction of movement.
    int paneSize() const;
    void setPaneSize(int size);

signals:
    void paneResized(int size);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int along(const QPointF &globalPos) const;

    Resizes m_resizes;
    QPointer<QWidget> m_pane;
    Side m_side = Side::Before;
    int m_minimum = 0;
    bool m_dragging = false;
    int m_pressPos = 0;
    int m_pressSize = 0;
};

} // namespace quoll::widgets
