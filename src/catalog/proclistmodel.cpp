#include "catalog/proclistmodel.h"

#include "catalog/typeahead.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

ProcListModel::ProcListModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void ProcListModel::setRecords(const ProcInfoList *records)
{
    beginResetModel();
    m_records = records;
    endResetModel();
}

void ProcListModel::recordsReset()
{
    beginResetModel();
    endResetModel();
}

int ProcListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_records ? 0 : int(m_records->size());
}

int ProcListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(captions().size());
}

QStringList ProcListModel::captions()
{
    return {u"Procedure"_s, u"Owner"_s, u"ProcId"_s, u"Mode"_s};
}

QString ProcListModel::cellText(const ProcInfo &info, int column)
{
    switch (column) {
    case 0: return info.name;
    case 1: return info.owner;
    case 2: return QString::number(info.procid);
    case 3: return QString(QChar(info.mode));
    default: return {};
    }
}

QVariant ProcListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || !m_records || size_t(index.row()) >= m_records->size())
        return {};
    return cellText((*m_records)[size_t(index.row())], index.column());
}

QModelIndexList ProcListModel::match(const QModelIndex &start, int role, const QVariant &value, int hits,
                                     Qt::MatchFlags flags) const
{
    const Qt::MatchFlags kind = flags & Qt::MatchTypeMask;
    if (!m_records || role != Qt::DisplayRole || hits == 0 || (kind != Qt::MatchStartsWith && kind != Qt::MatchExactly))
        return {};
    const int row = findByNamePrefix(*m_records, value.toString(), start.isValid() ? start.row() : 0,
                                     flags.testFlag(Qt::MatchWrap));
    if (row < 0)
        return {};
    return {index(row, 0)};
}

QVariant ProcListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return captions().value(section);
    return {};
}

} // namespace quoll::catalog
