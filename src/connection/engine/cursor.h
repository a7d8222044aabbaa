#pragma once

#include "connection/engine/fieldtype.h"

#include <QByteArray>
#include <QList>

#include <cstddef>

namespace quoll::connection {

// Where a cursor writes the fields of one row: each field's text form in
// UTF-8, or NULL. Rows go straight into compact storage this way, without a
// string object per cell.
class RowSink
{
public:
    virtual ~RowSink() = default;
    virtual void addField(const char *utf8, std::size_t length) = 0;
    virtual void addNull() = 0;
};

// A result being read from the server, forward only. The column
// descriptions are known as soon as the cursor exists; rows are read one at
// a time and only when asked for.
class Cursor
{
public:
    virtual ~Cursor() = default;

    virtual const QList<FieldDesc> &fields() const = 0;

    // Reads the next row into `sink` (every field, in order) and returns
    // true, or returns false when the result has no more rows. Raises
    // EngineError when the server fails while reading.
    virtual bool fetch(RowSink &sink) = 0;
};

} // namespace quoll::connection
