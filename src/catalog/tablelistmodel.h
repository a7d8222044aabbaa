#pragma once

#include "catalog/tableinfo.h"

#include <QAbstractTableModel>

#include <functional>

namespace quoll::catalog {

// The virtual table list `lvTables`: shows the records of a TableInfoList
// owned elsewhere, formatting each cell only when the view asks for it.
class TableListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TableListModel(QObject *parent = nullptr);

    // Shows `records` (nothing when null); call `recordsReset` after the
    // records change.
    void setRecords(const TableInfoList *records);
    void recordsReset();

    // Runs `change`, which reorders the records in place: the rows change
    // places under the view, and a selected row index stays where it is.
    void reorder(const std::function<void()> &change);

    // Sort mark on column `column` (1-based; 0 for none), as SortState keeps it.
    void setSortState(int sortState);
    int sortState() const { return m_sortState; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The list's type-ahead find: a prefix of the table name from `start`,
    // wrapping with Qt::MatchWrap (see findByNamePrefix). Only the prefix
    // and exact kinds of search find anything.
    QModelIndexList match(const QModelIndex &start, int role, const QVariant &value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

    static QStringList captions();
    // The list icon of a record: user or system table, user or system view.
    static int iconOf(const TableInfo &info);
    // The text of column `column` (0-based) for a record.
    static QString cellText(const TableInfo &info, int column);

private:
    const TableInfoList *m_records = nullptr;
    int m_sortState = 0;
};

} // namespace quoll::catalog
