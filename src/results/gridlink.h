#pragma once

#include "results/datasetmodel.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QTableView;

namespace quoll::connection {
class Dataset;
}

namespace quoll::results {

// Ties a grid to a data set: the grid shows the set through a lazy model,
// and the grid's current row and the set's current row follow each other.
// Ctrl+Home and Ctrl+End go to the set's first and last row (the last one
// reads every row). The link says when the user enters another column, when
// the current row moves or its data changes, and when a cell is double
// clicked; the window decides what the value viewer does with that.
class GridLink : public QObject
{
    Q_OBJECT

public:
    GridLink(QTableView *grid, Guard guard, QObject *parent = nullptr);

    void setDataset(connection::Dataset *dataset);
    connection::Dataset *dataset() const { return m_model->dataset(); }
    DatasetModel *model() const { return m_model; }
    QTableView *grid() const { return m_grid; }

    // The grid's current column, -1 when it has none.
    int currentColumn() const;
    // The whole value of the current cell (an empty text for NULL), nothing
    // when the grid has no current column or the set no current row.
    std::optional<QString> currentCellText() const;

signals:
    void columnEntered();
    void currentDataChanged();
    void cellDoubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void viewCurrentChanged(const QModelIndex &current, const QModelIndex &previous);
    void datasetCurrentChanged();
    void datasetReset();
    void showDatasetRow();
    void sizeColumns();

    QTableView *m_grid;
    DatasetModel *m_model;
    Guard m_guard;
    int m_column = 0;       // the column kept while the row moves
    bool m_syncing = false;
};

} // namespace quoll::results
