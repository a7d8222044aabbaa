#pragma once

#include "connection/engine/cursor.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <vector>

namespace quoll::connection {
class Dataset;
}

namespace quoll::exporting {

// One value of a row on its way to a file: its UTF-8 text, or NULL.
struct ExportValue
{
    QByteArrayView utf8;
    bool null = false;
};

// Where exported rows come from: the field descriptions, then the rows in
// order, one value per field, each valid until the next row is asked for.
class ExportSource
{
public:
    virtual ~ExportSource() = default;
    virtual const QList<connection::FieldDesc> &fields() const = 0;
    // The next row into `row`; false after the last one. Raises EngineError.
    virtual bool nextRow(std::vector<ExportValue> &row) = 0;
};

// Walks a data set from its first record with its attached views paused
// (the grid neither repaints nor follows); when done, also after a failure,
// the first record is current again and the views resume. With
// `fetchAllFirst` the set reads every row before the walk starts.
class DatasetSource final : public ExportSource
{
public:
    explicit DatasetSource(connection::Dataset &dataset, bool fetchAllFirst = false);
    ~DatasetSource() override;
    DatasetSource(const DatasetSource &) = delete;
    DatasetSource &operator=(const DatasetSource &) = delete;

    const QList<connection::FieldDesc> &fields() const override;
    bool nextRow(std::vector<ExportValue> &row) override;

private:
    connection::Dataset &m_dataset;
    bool m_fetchAllFirst;
    bool m_started = false;
};

// Streams the rows of a cursor as they are read: nothing is kept beyond the
// row at hand, so memory does not grow with the number of rows.
class CursorSource final : public ExportSource, private connection::RowSink
{
public:
    explicit CursorSource(connection::Cursor &cursor) : m_cursor(cursor) {}

    const QList<connection::FieldDesc> &fields() const override { return m_cursor.fields(); }
    bool nextRow(std::vector<ExportValue> &row) override;

private:
    void addField(const char *utf8, std::size_t length) override;
    void addNull() override;

    connection::Cursor &m_cursor;
    QByteArray m_text;                   // the row's texts one after another
    std::vector<qsizetype> m_ends;       // where each value ends in m_text
    std::vector<bool> m_nulls;
};

} // namespace quoll::exporting
