#include "app/logmodel.h"

#include "core/timetext.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

LogModel::LogModel(QObject *parent) : QAbstractTableModel(parent)
{
}

int LogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_announced;
}

int LogModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LogModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_announced)
        return {};
    const Entry &e = m_entries[size_t(index.row())];
    switch (index.column()) {
    case TimeColumn:
        return timeText(e.time);
    case MessageColumn:
        return e.message;
    case DetailsColumn:
        return detailsLine(e.details);
    default:
        return {};
    }
}

// A statement of a script mostly begins on a new line after the one before
// it: in one row of the list that shows as nothing but an ellipsis. The row
// shows the text on one line instead, blanks and line breaks each as one
// space; the memo below shows it whole.
QString LogModel::detailsLine(const QString &details)
{
    constexpr qsizetype Shown = 1000;
    return QStringView(details).left(Shown).toString().simplified();
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
    // A script logs the same caption for most statements: one text serves them.
    if (!m_entries.empty() && m_entries.back().message == entry.message)
        entry.message = m_entries.back().message;
    m_entries.push_back(std::move(entry));
    if (m_batches == 0)
        announcePending();
}

void LogModel::announcePending()
{
    const int last = size() - 1;
    if (last < m_announced)
        return;
    beginInsertRows({}, m_announced, last);
    m_announced = last + 1;
    endInsertRows();
}

LogModel::Batch::Batch(LogModel &model) : m_model(model)
{
    ++m_model.m_batches;
}

LogModel::Batch::~Batch()
{
    if (--m_model.m_batches == 0)
        m_model.announcePending();
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
    m_announced = 0;
    endResetModel();
}

// Qt's long time format carries the time zone name ("t"); the log shows
// the time of day only, so the zone is dropped from the format.
QString LogModel::timeText(QTime time)
{
    return longTimeText(time);
}

} // namespace quoll::app
