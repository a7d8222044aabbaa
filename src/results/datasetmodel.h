#pragma once

#include <QAbstractTableModel>
#include <QPointer>

#include <functional>

namespace quoll::connection {
class Dataset;
class TableDataset;
} // namespace quoll::connection

namespace quoll::results {

// Runs an action that may raise, reports what it raised and returns whether
// it finished. Views hand user actions through it, since nothing may be
// thrown back into Qt's event handling.
using Guard = std::function<bool(const std::function<void()> &action)>;

// A grid's model over a data set. It shows only the rows the data set has
// read and asks for more, a batch at a time, when the view scrolls to the
// end; every cell's text is made when the view asks for it. Over a table
// data set it is editable, and the row being edited shows the edit buffer.
//
// The model keeps its own row count and moves it only inside the
// begin/end notifications, so views always see a consistent model.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Rows asked of the data set each time the view wants more.
    static constexpr int FetchBatch = 200;
    // Characters of a value shown in a cell; the viewer shows it whole.
    static constexpr int MaxCellText = 1000;

    explicit DatasetModel(QObject *parent = nullptr);

    // Shows `dataset` (none: an empty model); it must outlive the model or
    // be detached first.
    void setDataset(connection::Dataset *dataset);
    connection::Dataset *dataset() const;
    void setGuard(Guard guard) { m_guard = std::move(guard); }

    // A cell's whole value as the row shows it (the edit buffer for the row
    // being edited); a null QString for NULL.
    QString value(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    void resetFromDataset();
    void rowsFetched(qint64 first, qint64 last);
    void rowInserted(qint64 row);
    void rowRemoved(qint64 row);
    void rowChanged(qint64 row);
    void currentChanged(qint64 row);
    bool editsRow(int row) const;
    bool run(const std::function<void()> &action) const;

    QPointer<connection::Dataset> m_dataset;
    connection::TableDataset *m_table = nullptr;   // the data set, when it can be edited
    Guard m_guard;
    int m_rows = 0;
    int m_columns = 0;
    int m_markedRow = -1;
    bool m_notifying = false;
    int m_pendingInsert = -1;   // a row the data set has and the views not yet
    int m_pendingRemove = -1;   // a row the views have and the data set no more   // the row whose header shows the current-row mark
};

} // namespace quoll::results
