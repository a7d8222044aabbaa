#include "catalog/tablelistmodel.h"

#include "catalog/typeahead.h"
#include "widgets/imagelist.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

using widgets::ImageList;
namespace ListIcon = widgets::ListIcon;

TableListModel::TableListModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void TableListModel::setRecords(const TableInfoList *records)
{
    beginResetModel();
    m_records = records;
    endResetModel();
}

void TableListModel::recordsReset()
{
    beginResetModel();
    endResetModel();
}

void TableListModel::reorder(const std::function<void()> &change)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    change();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QModelIndexList TableListModel::match(const QModelIndex &start, int role, const QVariant &value, int hits,
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

void TableListModel::setSortState(int sortState)
{
    m_sortState = sortState;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int TableListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_records ? 0 : int(m_records->size());
}

int TableListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(captions().size());
}

QStringList TableListModel::captions()
{
    return {u"Table"_s, u"Owner"_s, u"Tabid"_s, u"ncols"_s, u"nrows"_s,
            u"rowsize"_s, u"nindexes"_s, u"created"_s, u"locklevel"_s};
}

int TableListModel::iconOf(const TableInfo &info)
{
    const bool user = info.tabid >= 100;
    if (info.tabtype == u'V')
        return user ? ListIcon::UserView : ListIcon::SystemView;
    return user ? ListIcon::UserTable : ListIcon::SystemTable;
}

QString TableListModel::cellText(const TableInfo &info, int column)
{
    switch (column) {
    case 0: return info.name;
    case 1: return info.owner;
    case 2: return QString::number(info.tabid);
    case 3: return QString::number(info.ncols);
    case 4: return QString::number(info.nrows);
    case 5: return QString::number(info.rowsize);
    case 6: return QString::number(info.nindexes);
    case 7: return QLocale().toString(info.created, QLocale::ShortFormat);   // the user's locale
    case 8: return QString(QChar(info.locklevel));
    default: return {};
    }
}

QVariant TableListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_records || size_t(index.row()) >= m_records->size())
        return {};
    const TableInfo &info = (*m_records)[size_t(index.row())];
    if (role == Qt::DisplayRole)
        return cellText(info, index.column());
    if (role == Qt::DecorationRole && index.column() == 0)
        return ImageList::listIcons().icon(iconOf(info));
    return {};
}

QVariant TableListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return captions().value(section);
    if (role == Qt::DecorationRole && m_sortState != 0 && std::abs(m_sortState) == section + 1)
        return ImageList::listIcons().icon(m_sortState > 0 ? ListIcon::SortAscending : ListIcon::SortDescending);
    return {};
}

} // namespace quoll::catalog
