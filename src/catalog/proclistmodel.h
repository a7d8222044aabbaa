#pragma once

#include "catalog/procinfo.h"

#include <QAbstractTableModel>

namespace quoll::catalog {

// The virtual procedure list `lvProc` over a ProcInfoList owned elsewhere.
class ProcListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ProcListModel(QObject *parent = nullptr);

    void setRecords(const ProcInfoList *records);
    void recordsReset();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The type-ahead find, as the table list's (see findByNamePrefix).
    QModelIndexList match(const QModelIndex &start, int role, const QVariant &value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

    static QStringList captions();
    static QString cellText(const ProcInfo &info, int column);

private:
    const ProcInfoList *m_records = nullptr;
};

} // namespace quoll::catalog
