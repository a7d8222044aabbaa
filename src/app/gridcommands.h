#pragma once

#include <QObject>

namespace quoll::connection {
class Dataset;
}
namespace quoll::results {
class GridLink;
class GridPage;
class ValueViewer;
} // namespace quoll::results
namespace quoll::widgets {
class StatusBar;
}

namespace quoll::app {

class ActionList;
class ErrorHandler;
class TableDataControl;

// The row commands of the output page and the table data page: moving
// through the result, counting rows, the font steps, the value viewer and
// its links to both grids, and the statement templates.
class GridCommands : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        results::GridPage &outputPage;
        results::GridLink &outputGrid;
        connection::Dataset &resultSet;
        results::GridPage &dataPage;
        results::GridLink &dataGrid;
        TableDataControl &tableData;
        results::ValueViewer &viewer;
        widgets::StatusBar &statusBar;
        ErrorHandler &errors;
    };

    explicit GridCommands(Parts parts, QObject *parent = nullptr);

    void bind(const ActionList &actions);

    // Counts every row of `dataset` into status panel 3 and returns to the
    // row that was current; the views hear of it once, at the end.
    void ShowRecordCount(connection::Dataset &dataset);
    // The table page's count: every row of `qrData`, without moving.
    void acGetRecordCount1Execute();
    // The templates for the current row of `dataset` into the viewer.
    void generateTemplates(const results::GridLink &grid, const QString &table);

private:
    void linkViewer(results::GridLink &grid);
    void showCell(const results::GridLink &grid);
    static void fontStep(results::GridPage &page, int step);

    Parts m_parts;
};

} // namespace quoll::app
