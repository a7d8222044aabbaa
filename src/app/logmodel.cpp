#include "app/logmodel.h"

#include "core/timetext.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

LogModel::LogModel(QObject *parent) : QAbstractTableModel(parent)
{
}

int LogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : size();
}

int LogModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LogModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= size())
        return {};
    const Entry &e = m_entries[size_t(index.row())];
    switch (index.column()) {
    case TimeColumn:
        return timeText(e.time);
    case MessageColumn:
        return e.message;
    case DetailsColumn:
        return e.details;
    default:
        return {};
    }
}

QVariant LogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TimeColumn:
        return u"Время"_s;
    case MessageColumn:
        return u"Сообщение"_s;
    case DetailsColumn:
        return u"Дополнительно"_s;
    default:
        return {};
    }
}

void LogModel::append(Entry entry)
{
    const int at = size();
    beginInsertRows({}, at, at);
    m_entries.push_back(std::move(entry));
    endInsertRows();
}

void LogModel::append(const QString &message, const QString &details)
{
    append({currentTimeOfDay(), message, details});
}

void LogModel::clear()
{
    beginResetModel();
    m_entries.clear();
    m_entries.shrink_to_fit();
    endResetModel();
}

// Qt's long time format carries the time zone name ("t"); the log shows
// the time of day only, so the zone is dropped from the format.
QString LogModel::timeText(QTime time)
{
    return longTimeText(time);
}

} // namespace quoll::app
