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

    static QStringList captions();
    static QString cellText(const ProcInfo &info, int column);

private:
    const ProcInfoList *m_records = nullptr;
};

} // namespace quoll::catalog
