#include "widgets/pagecontrol.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

namespace quoll::widgets {

namespace {

bool isSide(QTabBar::Shape shape)
{
    switch (shape) {
    case QTabBar::RoundedWest:
    case QTabBar::RoundedEast:
    case QTabBar::TriangularWest:
    case QTabBar::TriangularEast:
        return true;
    default:
        return false;
    }
}

// A tab bar that paints side tabs with horizontal text and honours a fixed
// tab length.
class PageTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

    int length = 0;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (isSide(shape())) {
            // Upright captions: the tab is as wide as its caption and as tall
            // as the tab length (or the caption's height with some padding).
            const QFontMetrics fm(font());
            const int textWidth = fm.horizontalAdvance(tabText(index));
            const int width = std::max(textWidth + 12, fm.height() + 8);
            const int height = length > 0 ? length : fm.height() + 12;
            size = QSize(width, height);
        } else if (length > 0) {
            size.setWidth(length);
        }
        return size;
    }

    void paintEvent(QPaintEvent *event) override
    {
        if (!isSide(shape()))
            return QTabBar::paintEvent(event);
        QStylePainter painter(this);
        for (int i = 0; i < count(); ++i) {
            QStyleOptionTab option;
            initStyleOption(&option, i);
            painter.drawControl(QStyle::CE_TabBarTabShape, option);
            painter.setPen(option.palette.color(isTabEnabled(i) ? QPalette::Active : QPalette::Disabled,
                                                QPalette::WindowText));
            painter.drawText(option.rect, Qt::AlignCenter, option.text);
        }
    }
};

} // namespace

PageControl::PageControl(QTabWidget::TabPosition position, QWidget *parent) : QTabWidget(parent)
{
    setTabBar(new PageTabBar(this));
    setTabPosition(position);
    setDocumentMode(false);
    setUsesScrollButtons(true);
}

void PageControl::setTabLength(int length)
{
    static_cast<PageTabBar *>(tabBar())->length = length;
    // The bar keeps its tab positions until told its look changed.
    QEvent styleChange(QEvent::StyleChange);
    QCoreApplication::sendEvent(tabBar(), &styleChange);
}

int PageControl::tabLength() const
{
    return static_cast<const PageTabBar *>(tabBar())->length;
}

} // namespace quoll::widgets
