#include "results/gridlink.h"

#include "connection/engine/dataset.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

#include <algorithm>

namespace quoll::results {

using connection::FieldDesc;
using connection::FieldType;

namespace {

// Characters a column is given room for, from its type and size.
int columnChars(const FieldDesc &field)
{
    switch (field.type) {
    case FieldType::SmallInt:
    case FieldType::Word:
    case FieldType::Boolean:
        return 6;
    case FieldType::Integer:
    case FieldType::AutoInc:
        return 11;
    case FieldType::LargeInt:
    case FieldType::Float:
        return 20;
    case FieldType::Currency:
    case FieldType::BCD:
        return std::clamp(field.size + 2, 4, 34);
    case FieldType::Date:
        return 10;
    case FieldType::Time:
        return 8;
    case FieldType::DateTime:
        return 23;
    case FieldType::String:
    case FieldType::FixedString:
    case FieldType::WideString:
        return std::clamp(field.size, 4, 40);
    default:
        return 30;
    }
}

} // namespace

GridLink::GridLink(QTableView *grid, Guard guard, QObject *parent)
    : QObject(parent), m_grid(grid), m_model(new DatasetModel(this)), m_guard(std::move(guard))
{
    m_model->setGuard(m_guard);
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->installEventFilter(this);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &GridLink::viewCurrentChanged);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] {
        if (currentColumn() >= 0)
            emit cellDoubleClicked();
    });
    // After the model: it must know the new rows before the grid moves to them.
    connect(m_model, &QAbstractItemModel::modelReset, this, &GridLink::datasetReset);
}

void GridLink::setDataset(connection::Dataset *dataset)
{
    if (connection::Dataset *old = m_model->dataset())
        old->disconnect(this);
    m_model->setDataset(dataset);
    if (dataset) {
        connect(dataset, &connection::Dataset::currentChanged, this, &GridLink::datasetCurrentChanged);
        connect(dataset, &connection::Dataset::rowChanged, this, [this](qint64 row) {
            if (row == m_model->dataset()->currentRow())
                emit currentDataChanged();
        });
    }
    showDatasetRow();
}

int GridLink::currentColumn() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.column() : -1;
}

std::optional<QString> GridLink::currentCellText() const
{
    const connection::Dataset *dataset = m_model->dataset();
    const int column = currentColumn();
    if (!dataset || column < 0 || dataset->currentRow() < 0)
        return std::nullopt;
    const QString value = m_model->value(int(dataset->currentRow()), column);
    return value.isNull() ? QString() : value;
}

void GridLink::viewCurrentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_syncing || !current.isValid())
        return;
    const bool columnMoved = !previous.isValid() || current.column() != previous.column();
    m_column = current.column();
    connection::Dataset *dataset = m_model->dataset();
    if (dataset && current.row() != dataset->currentRow()) {
        const int row = current.row();
        m_guard([dataset, row] { dataset->moveTo(row); });
        // A move the set refused (a failed post) puts the grid back.
        if (m_model->dataset() == dataset && dataset->currentRow() != row)
            showDatasetRow();
    }
    if (columnMoved)
        emit columnEntered();
}

void GridLink::datasetCurrentChanged()
{
    showDatasetRow();
    emit currentDataChanged();
}

void GridLink::datasetReset()
{
    m_column = 0;
    sizeColumns();
}

// Puts the grid's current cell on the set's current row.
void GridLink::showDatasetRow()
{
    const connection::Dataset *dataset = m_model->dataset();
    if (!dataset)
        return;
    const qint64 row = dataset->currentRow();
    if (row < 0 || row >= m_model->rowCount() || m_model->columnCount() == 0)
        return;
    const QModelIndex target = m_model->index(int(row), std::clamp(m_column, 0, m_model->columnCount() - 1));
    if (m_grid->currentIndex() == target)
        return;
    m_syncing = true;
    m_grid->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
    m_grid->scrollTo(target);
}

void GridLink::sizeColumns()
{
    const connection::Dataset *dataset = m_model->dataset();
    if (!dataset)
        return;
    const QFontMetrics text(m_grid->font());
    const QFontMetrics title(m_grid->horizontalHeader()->font());
    const int charWidth = text.horizontalAdvance(QLatin1Char('0'));
    const int limit = charWidth * 50;
    for (int column = 0; column < dataset->fieldCount(); ++column) {
        const FieldDesc &field = dataset->fields()[column];
        const int width = std::max(title.horizontalAdvance(field.name) + charWidth * 2,
                                   std::min(limit, columnChars(field) * charWidth + charWidth));
        m_grid->horizontalHeader()->resizeSection(column, width);
    }
}

bool GridLink::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        connection::Dataset *dataset = m_model->dataset();
        if (dataset && key->modifiers() == Qt::ControlModifier
            && (key->key() == Qt::Key_End || key->key() == Qt::Key_Home)) {
            const bool toEnd = key->key() == Qt::Key_End;
            m_guard([dataset, toEnd] { toEnd ? dataset->last() : dataset->first(); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quoll::results
