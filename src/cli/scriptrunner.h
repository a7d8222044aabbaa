#pragma once

#include "export/exporter.h"

#include <QString>
#include <QTextStream>

#include <optional>

namespace quoll::connection {
class Database;
}

namespace quoll::cli {

// Where the rows go instead of standard output: the last statement of the
// script that yields rows is exported into `path`.
struct ExportTarget
{
    exporting::ExportFormat format = exporting::ExportFormat::Tab;
    QString path;
    exporting::DelimitedOptions options;
};

// Runs a script statement by statement on a connected database. Without an
// export target every result's rows go to `out` (a header of column names,
// then one line per row, fields separated by TAB, NULL as an empty field).
// With one, no rows are printed: the rows of the last statement that yields
// rows are written to the target's file once the whole script has run, and
// nothing is written when a statement fails. The first failing statement
// stops the run: one line "error <code>: <message> (statement <n>, offset
// <E>)" goes to `err`. Returns false when a statement or the export failed.
bool runScript(connection::Database &database, const QString &script, QTextStream &out, QTextStream &err,
               const std::optional<ExportTarget> &target = std::nullopt);

} // namespace quoll::cli
