#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QTime>

#include <vector>

namespace quoll::app {

// The entries of the event log behind `lwLog`, in the order they were added:
// one compact record per entry, formatted only when the view asks for a
// visible cell. Columns: "Время", "Сообщение", "Дополнительно".
class LogModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TimeColumn, MessageColumn, DetailsColumn, ColumnCount };

    struct Entry
    {
        QTime time;       // time of day the entry was added
        QString message;  // short caption of the event
        QString details;  // free text, possibly several lines, possibly empty
    };

    explicit LogModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Appends made while a Batch lives reach the views as one insertion when
    // the last Batch ends: a script of many statements logs each of them,
    // and announcing the rows one by one costs more than running them.
    // Until then the views see the rows from before the batch.
    class Batch
    {
    public:
        explicit Batch(LogModel &model);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        LogModel &m_model;
    };

    // Every entry, announced or not.
    int size() const { return int(m_entries.size()); }
    const Entry &entry(int row) const { return m_entries.at(size_t(row)); }

    // Appends one entry at the end as one insertion.
    void append(Entry entry);
    // Appends an entry stamped with the time of day now; cheaper than
    // QTime::currentTime() for the many entries of a long script.
    void append(const QString &message, const QString &details);
    // Removes every entry as one reset.
    void clear();

    // A time of day in the user's long time format (hours, minutes, seconds).
    static QString timeText(QTime time);
    // The details as their row shows them: on one line, from their first word.
    static QString detailsLine(const QString &details);

private:
    void announcePending();

    std::vector<Entry> m_entries;
    int m_announced = 0;   // the rows the views have been told of
    int m_batches = 0;
};

} // namespace quoll::app
