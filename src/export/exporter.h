#pragma once

#include "export/exportsource.h"
#include "export/exportwriter.h"
#include "export/textwriters.h"

#include <functional>
#include <memory>

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

// The formats, and a writer of each into `path`.
enum class ExportFormat { Html, Workbook, Tab, Delimited };
std::unique_ptr<ExportWriter> makeWriter(ExportFormat format, const QString &path,
                                         const DelimitedOptions &options = {});

// Writes the fields and every row of `source` through `writer`, leaving the
// file to the writer's finish() (or to nothing, when it is dropped).
qint64 writeRows(ExportSource &source, ExportWriter &writer);

// Streams every row of `source` through `writer` and puts the file in
// place. A cancelled export leaves the previous file (or none). Raises
// Error and EngineError, with the same guarantee.
ExportResult exportRows(ExportSource &source, ExportWriter &writer, const ExportProgress &progress = {});

} // namespace quoll::exporting
