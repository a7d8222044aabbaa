#include "app/tabledatacontrol.h"

#include "connection/engine/database.h"
#include "connection/engine/tabledataset.h"
#include "results/gridlink.h"
#include "results/gridpage.h"
#include "results/navigatorlink.h"

#include <QTableView>

namespace quoll::app {

TableDataControl::TableDataControl(connection::Database &database, results::GridPage &page,
                                   results::GridLink &grid, results::NavigatorLink &navigator, QObject *parent)
    : QObject(parent), m_database(database), m_page(page), m_grid(grid), m_navigator(navigator)
{
}

TableDataControl::~TableDataControl()
{
    reset();
}

void TableDataControl::showTable(const QString &selected)
{
    if (selected.isEmpty() || selected == m_tableName)
        return;
    if (m_dataset) {
        // Closing drops an edit buffer; what was typed is written first.
        postPendingEdit();
        m_dataset->close();
    }
    m_tableName = selected;
    if (!m_dataset) {
        m_dataset = std::make_unique<connection::TableDataset>(m_database.engine());
        m_dataset->setObjectName(QStringLiteral("qrData"));
        m_grid.setDataset(m_dataset.get());
        m_navigator.setDataset(m_dataset.get());
    }
    m_dataset->open(selected);
    m_page.grid()->setToolTip(selected);
}

void TableDataControl::postPendingEdit()
{
    if (!m_dataset || m_dataset->state() == connection::TableDataset::State::Browse)
        return;
    if (m_dataset->isModified())
        m_dataset->post();
    else
        m_dataset->cancel();
}

void TableDataControl::reset()
{
    m_tableName.clear();
    if (!m_dataset)
        return;
    m_grid.setDataset(nullptr);
    m_navigator.setDataset(nullptr);
    m_dataset.reset();
}

} // namespace quoll::app
