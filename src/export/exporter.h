#pragma once

#include "export/exportsource.h"
#include "export/exportwriter.h"

#include <functional>

namespace quoll::exporting {

// How an export ended.
struct ExportResult
{
    qint64 rows = 0;          // records written
    bool cancelled = false;   // stopped by the progress callback: no file
    bool utf8 = false;        // the text went out as UTF-8
};

// Called after every `ProgressRows` records with the count so far; false
// stops the export.
using ExportProgress = std::function<bool(qint64 rows)>;
inline constexpr qint64 ProgressRows = 1000;

// Streams every row of `source` through `writer` and puts the file in
// place. A cancelled export leaves the previous file (or none). Raises
// Error and EngineError, with the same guarantee.
ExportResult exportRows(ExportSource &source, ExportWriter &writer, const ExportProgress &progress = {});

} // namespace quoll::exporting
