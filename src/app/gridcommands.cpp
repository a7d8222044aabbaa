#include "app/gridcommands.h"

#include "app/commandtable.h"
#include "app/errorhandler.h"
#include "app/tabledatacontrol.h"
#include "connection/engine/dataset.h"
#include "connection/engine/tabledataset.h"
#include "results/gridlink.h"
#include "results/gridpage.h"
#include "results/valueviewer.h"
#include "widgets/statusbar.h"
#include "workspace/statementtemplates.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

namespace {
constexpr int CountPanel = 3;

QString countText(qint64 rows)
{
    return u"Строк : "_s + QString::number(rows);
}
} // namespace

GridCommands::GridCommands(Parts parts, QObject *parent) : QObject(parent), m_parts(parts)
{
    linkViewer(m_parts.outputGrid);
    linkViewer(m_parts.dataGrid);
}

void GridCommands::bind(const ActionList &actions)
{
    const auto on = [this, &actions](const char *name, std::function<void()> handler) {
        connect(actions[name], &QAction::triggered, this,
                [this, handler = std::move(handler)] { m_parts.errors.run(handler); });
    };
    connection::Dataset &result = m_parts.resultSet;
    on("acGoToFirstRecord", [&result] { result.first(); });
    on("acGoToPriorRecord", [&result] { result.prior(); });
    on("acGoToNextRecord", [&result] { result.next(); });
    on("acGoToLastRecord", [&result] { result.last(); });
    on("acGetRecordCount", [this] { ShowRecordCount(m_parts.resultSet); });
    on("acGetRecordCount1", [this] { acGetRecordCount1Execute(); });
    on("acFontBigger", [this] { fontStep(m_parts.outputPage, -1); });
    on("acFontSmaller", [this] { fontStep(m_parts.outputPage, 1); });
    on("acFontBigger1", [this] { fontStep(m_parts.dataPage, -1); });
    on("acFontSmaller1", [this] { fontStep(m_parts.dataPage, 1); });
    on("acShowViewer", [this] { showCell(m_parts.outputGrid); });
    on("acShowViewer1", [this] { showCell(m_parts.dataGrid); });
    on("acGenerateSIUD", [this] { generateTemplates(m_parts.outputGrid, QString()); });
    on("acGenerateSIUD1", [this] { generateTemplates(m_parts.dataGrid, m_parts.tableData.tableName()); });
}

void GridCommands::ShowRecordCount(connection::Dataset &dataset)
{
    if (dataset.isActive())
        m_parts.statusBar.setPanelText(CountPanel, countText(dataset.countFromLast()));
}

void GridCommands::acGetRecordCount1Execute()
{
    connection::TableDataset *data = m_parts.tableData.dataset();
    if (!data || !data->isActive())
        return;
    // The server counts the table: reading every row of a large table to
    // count it would cost as much as showing them all.
    m_parts.statusBar.setPanelText(CountPanel, countText(data->tableRecordCount()));
}

void GridCommands::generateTemplates(const results::GridLink &grid, const QString &table)
{
    const connection::Dataset *dataset = grid.dataset();
    if (!dataset || !dataset->isActive())
        return;
    QList<QString> values;
    const int row = int(dataset->currentRow());
    for (int field = 0; field < dataset->fieldCount(); ++field)
        values.append(row >= 0 ? grid.model()->value(row, field) : QString());
    m_parts.viewer.showInViewer(workspace::statementTemplates(dataset->fields(), values, table));
}

void GridCommands::fontStep(results::GridPage &page, int step)
{
    page.setFontHeight(page.fontHeight() + step);
}

void GridCommands::showCell(const results::GridLink &grid)
{
    if (const std::optional<QString> text = grid.currentCellText())
        m_parts.viewer.showInViewer(*text);
}

// Double click shows the viewer; entering a column or a change of the
// current row only updates a viewer that is already visible.
void GridCommands::linkViewer(results::GridLink &grid)
{
    const auto followIfVisible = [this, &grid] {
        if (m_parts.viewer.isVisible())
            showCell(grid);
    };
    connect(&grid, &results::GridLink::cellDoubleClicked, this, [this, &grid] { showCell(grid); });
    connect(&grid, &results::GridLink::columnEntered, this, followIfVisible);
    connect(&grid, &results::GridLink::currentDataChanged, this, followIfVisible);
}

} // namespace quoll::app
