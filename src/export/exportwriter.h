#pragma once

#include "connection/engine/fieldtype.h"
#include "export/exportsource.h"

#include <QList>

#include <span>

namespace quoll::exporting {

// One export format. begin() with the fields, row() for every record in
// order, finish() puts the file in place; a writer destroyed without
// finish() leaves no file behind (and the previous one as it was). Raises
// Error.
class ExportWriter
{
public:
    virtual ~ExportWriter() = default;
    virtual void begin(const QList<connection::FieldDesc> &fields) = 0;
    virtual void row(std::span<const ExportValue> values) = 0;
    virtual void finish() = 0;
    // Whether the text went out as UTF-8 because the code page could not
    // hold it (text formats only).
    virtual bool wroteUtf8() const { return false; }
};

} // namespace quoll::exporting
