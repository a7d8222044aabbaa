#include "results/gridpage.h"

#include "results/dbnavigator.h"
#include "widgets/screenscale.h"

#include <QHeaderView>
#include <QVBoxLayout>

namespace quoll::results {

namespace {
constexpr int DefaultGridFontHeight = -13;
}

GridPage::GridPage(const Names &names, QWidget *parent) : QWidget(parent)
{
    setObjectName(names.page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(names.toolBar);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setIconSize(QSize(widgets::scaled(32), widgets::scaled(32)));
    if (!names.navigator.isEmpty()) {
        m_navigator = new DBNavigator(m_toolBar);
        m_navigator->setObjectName(names.navigator);
        m_toolBar->addWidget(m_navigator);
        m_toolBar->addSeparator();
    }
    layout->addWidget(m_toolBar);

    m_grid = new QTableView(this);
    m_grid->setObjectName(names.grid);
    m_grid->setAlternatingRowColors(false);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setHighlightSections(true);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    layout->addWidget(m_grid, 1);

    setFontHeight(DefaultGridFontHeight);
}

void GridPage::setFontHeight(int height)
{
    m_fontHeight = height;
    QFont font = m_grid->font();
    font.setPixelSize(std::max(1, std::abs(height)));
    m_grid->setFont(font);
    m_grid->horizontalHeader()->setFont(font);
    m_grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
}

void GridPage::zoom(int points)
{
    const qreal dpi = m_grid->logicalDpiY() > 0 ? m_grid->logicalDpiY() : 96.0;
    const qreal size = std::abs(m_fontHeight) * 72.0 / dpi + points;
    setFontHeight(-std::max(1, qRound(size * dpi / 72.0)));
}

} // namespace quoll::results
