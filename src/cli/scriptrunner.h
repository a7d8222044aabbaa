#pragma once

#include <QString>
#include <QTextStream>

namespace quoll::connection {
class Database;
}

namespace quoll::cli {

// Runs a script statement by statement on a connected database, printing
// every result's rows to `out` (a header of column names, then one line per
// row, fields separated by TAB, NULL as an empty field). The first failing
// statement stops the run: one line "error <code>: <message> (statement <n>,
// offset <E>)" goes to `err`. Returns false when a statement failed.
bool runScript(connection::Database &database, const QString &script, QTextStream &out, QTextStream &err);

} // namespace quoll::cli
