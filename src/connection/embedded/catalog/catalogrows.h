#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

struct sqlite3;

namespace quoll::connection::embedded {

// Small helpers the catalog statements write and read catalog rows with.
// Values are bound, never pasted into the text. Raise EngineError.

// Runs `sql`; the first column of its first row as an integer, 0 when
// there is no row.
qint64 catalogExec(sqlite3 *db, const char *sql, const QList<QVariant> &values = {});

// The first column of the first row as text; nothing when there is no row
// or the value is NULL.
std::optional<QString> catalogText(sqlite3 *db, const char *sql, const QList<QVariant> &values = {});

// Where a text is kept in pieces.
enum class PieceTable {
    Views,      // sysviews (tabid, seqno, viewtext), 64 characters
    TriggerBody, // systrigbody (trigid, datakey, seqno, data), 256 characters
    RoutineBody, // sysprocbody (procid, datakey, seqno, data), 256 characters
};

// Stores `text` in pieces under `id` (and `datakey`, ignored for views).
void writeCatalogText(sqlite3 *db, PieceTable table, qint64 id, QChar datakey, const QString &text);

// A name as the storage engine is given it: as it is when it is a plain
// identifier, otherwise in brackets (double quotes would be read as a
// string by the statement rewriting that follows).
QString storageIdentifier(const QString &name);

} // namespace quoll::connection::embedded
