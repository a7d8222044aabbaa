#include "results/datasetmodel.h"

#include "connection/engine/dataset.h"
#include "connection/engine/tabledataset.h"

#include <QDebug>

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quoll::results {

using connection::Dataset;
using connection::TableDataset;

namespace {

constexpr qint64 MaxRows = std::numeric_limits<int>::max();

// Marks the time between a change's begin and end notifications.
struct Notifying
{
    explicit Notifying(bool &flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~Notifying() { m_flag = m_was; }
    bool &m_flag;
    bool m_was;
};

int rowsOf(const Dataset *dataset)
{
    return dataset ? int(std::min(dataset->fetchedCount(), MaxRows)) : 0;
}

} // namespace

DatasetModel::DatasetModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void DatasetModel::setDataset(Dataset *dataset)
{
    if (m_dataset == dataset)
        return;
    if (m_dataset)
        m_dataset->disconnect(this);
    m_dataset = dataset;
    m_table = qobject_cast<TableDataset *>(dataset);
    if (dataset) {
        connect(dataset, &Dataset::reset, this, &DatasetModel::resetFromDataset);
        connect(dataset, &Dataset::rowsFetched, this, &DatasetModel::rowsFetched);
        connect(dataset, &Dataset::rowInserted, this, &DatasetModel::rowInserted);
        connect(dataset, &Dataset::rowRemoved, this, &DatasetModel::rowRemoved);
        connect(dataset, &Dataset::rowChanged, this, &DatasetModel::rowChanged);
        connect(dataset, &Dataset::currentChanged, this, &DatasetModel::currentChanged);
        connect(dataset, &QObject::destroyed, this, [this] {
            m_table = nullptr;
            resetFromDataset();
        });
    }
    if (m_table) {
        connect(m_table, &TableDataset::stateChanged, this, [this] {
            if (m_dataset)
                rowChanged(m_dataset->currentRow());
        });
    }
    resetFromDataset();
}

Dataset *DatasetModel::dataset() const
{
    return m_dataset.data();
}

bool DatasetModel::run(const std::function<void()> &action) const
{
    if (m_guard)
        return m_guard(action);
    try {
        action();
        return true;
    } catch (const std::exception &error) {
        qWarning() << "grid action failed:" << error.what();
    }
    return false;
}

bool DatasetModel::editsRow(int row) const
{
    return m_table && m_table->state() != TableDataset::State::Browse && row == m_table->currentRow();
}

QString DatasetModel::value(int row, int column) const
{
    if (!m_dataset || row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return {};
    // The data set changes before it tells: until the views have taken in a
    // single-row insert or removal, the model's rows are the old ones.
    if (m_pendingInsert >= 0 && row >= m_pendingInsert)
        ++row;
    else if (m_pendingRemove >= 0 && row == m_pendingRemove)
        return {};
    else if (m_pendingRemove >= 0 && row > m_pendingRemove)
        --row;
    if (editsRow(row)) {
        const QVariant buffered = m_table->value(column);
        return buffered.isNull() ? QString() : buffered.toString();
    }
    return m_dataset->text(row, column);
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const QString text = value(index.row(), index.column());
        if (text.isNull())
            return {};
        return text.size() > MaxCellText ? text.left(MaxCellText) : text;
    }
    case Qt::EditRole:
        return value(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (index.column() < m_dataset->fieldCount() && connection::isNumericType(m_dataset->fields()[index.column()].type))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !m_dataset)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section >= 0 && section < m_columns)
            return m_dataset->fields()[section].name;
        return {};
    }
    // The row mark: the current row, the row being edited, a new row.
    if (section != m_dataset->currentRow())
        return QString();
    if (m_table && m_table->state() == TableDataset::State::Edit)
        return u"I"_s;
    if (m_table && m_table->state() == TableDataset::State::Insert)
        return u"*"_s;
    return u"\u25B6"_s;
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_table)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_table || !index.isValid() || role != Qt::EditRole || index.row() >= m_rows)
        return false;
    const int row = index.row();
    const int column = index.column();
    return run([&] {
        if (row != m_table->currentRow() && !m_table->moveTo(row))
            return;
        QString text = value.isNull() ? QString() : value.toString();
        // An emptied cell of a non-text column means NULL; a text column
        // keeps the empty text.
        if (text.isEmpty() && !connection::isTextType(m_table->fields()[column].type))
            text = QString();
        m_table->setValue(column, text);
        emit dataChanged(index, index);
    });
}

bool DatasetModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_dataset && m_dataset->canFetchMore() && !m_dataset->viewsPaused()
           && m_rows < MaxRows;
}

void DatasetModel::fetchMore(const QModelIndex &parent)
{
    // Not from inside a change notification: the rows would arrive while
    // the views still take in the change.
    if (!canFetchMore(parent) || m_notifying)
        return;
    run([this] { m_dataset->fetchMore(FetchBatch); });
}

void DatasetModel::resetFromDataset()
{
    const Notifying notifying(m_notifying);
    beginResetModel();
    m_rows = rowsOf(m_dataset);
    m_columns = m_dataset ? m_dataset->fieldCount() : 0;
    m_markedRow = m_dataset ? int(m_dataset->currentRow()) : -1;
    endResetModel();
}

void DatasetModel::rowsFetched(qint64 first, qint64 last)
{
    const int rows = rowsOf(m_dataset);
    if (first != m_rows || rows != std::min(last + 1, MaxRows)) {
        resetFromDataset();
        return;
    }
    if (rows <= m_rows)
        return;
    const Notifying notifying(m_notifying);
    beginInsertRows({}, m_rows, rows - 1);
    m_rows = rows;
    endInsertRows();
}

void DatasetModel::rowInserted(qint64 row)
{
    if (row < 0 || row > m_rows || m_rows >= MaxRows) {
        resetFromDataset();
        return;
    }
    const Notifying notifying(m_notifying);
    m_pendingInsert = int(row);
    beginInsertRows({}, int(row), int(row));
    ++m_rows;
    m_pendingInsert = -1;
    endInsertRows();
}

void DatasetModel::rowRemoved(qint64 row)
{
    if (row < 0 || row >= m_rows) {
        resetFromDataset();
        return;
    }
    const Notifying notifying(m_notifying);
    m_pendingRemove = int(row);
    beginRemoveRows({}, int(row), int(row));
    --m_rows;
    m_pendingRemove = -1;
    endRemoveRows();
}

void DatasetModel::rowChanged(qint64 row)
{
    if (row < 0 || row >= m_rows || m_columns == 0)
        return;
    emit dataChanged(index(int(row), 0), index(int(row), m_columns - 1));
    emit headerDataChanged(Qt::Vertical, int(row), int(row));
}

void DatasetModel::currentChanged(qint64 row)
{
    const int previous = m_markedRow;
    m_markedRow = row < m_rows ? int(row) : -1;
    if (previous >= 0 && previous < m_rows && previous != m_markedRow)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (m_markedRow >= 0)
        emit headerDataChanged(Qt::Vertical, m_markedRow, m_markedRow);
}

} // namespace quoll::results
