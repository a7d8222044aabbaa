#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

struct sqlite3;

namespace quoll::connection::embedded {

// The one family of helpers the catalog statements write and read catalog
// rows with, in the storage engine's own SQL. Values (integers, text, NULL)
// are bound, never pasted into the text. Raise EngineError.

// Runs `sql`; the first column of its first row as an integer, 0 when
// there is no row.
qint64 catalogExec(sqlite3 *db, const char *sql, const QList<QVariant> &values = {});

// Every row of a query.
QList<QList<QVariant>> catalogRows(sqlite3 *db, const char *sql, const QList<QVariant> &values = {});

// The first column of the first row as text; nothing when there is no row
// or the value is NULL.
std::optional<QString> catalogText(sqlite3 *db, const char *sql, const QList<QVariant> &values = {});

// One write of the catalog, as a value: the storage engine's SQL and the
// values bound to it.
struct CatalogWrite
{
    QByteArray sql;
    QList<QVariant> values;

    // "sql | value | value", NULL for a null value: a line of a test.
    QString toString() const;
};

// The one writer of the catalog: every row a statement adds, changes or
// removes there, and every object of the storage engine's own that keeps
// the catalog's promises (serial counters, the indexes and triggers of
// constraints), is written here, in order, and kept as a value for the
// statement's record. Reads go straight to db(). Raises EngineError.
class CatalogWriter
{
public:
    explicit CatalogWriter(sqlite3 *db) : m_db(db) {}

    sqlite3 *db() const { return m_db; }
    void write(const char *sql, const QList<QVariant> &values = {});
    void write(const QString &sql, const QList<QVariant> &values = {});
    // What was written, in order.
    const std::vector<CatalogWrite> &writes() const { return m_writes; }

private:
    sqlite3 *m_db;
    std::vector<CatalogWrite> m_writes;
};

// Where a text is kept in pieces.
enum class PieceTable {
    Views,      // sysviews (tabid, seqno, viewtext), 64 characters
    TriggerBody, // systrigbody (trigid, datakey, seqno, data), 256 characters
    RoutineBody, // sysprocbody (procid, datakey, seqno, data), 256 characters
};

// Stores `text` in pieces under `id` (and `datakey`, ignored for views).
void writeCatalogText(CatalogWriter &out, PieceTable table, qint64 id, QChar datakey, const QString &text);

// A name in SQL that goes straight to the storage engine: always in double
// quotes.
QString quotedIdentifier(const QString &name);

// A name in SQL that still goes through the storage pipeline: as it is
// when it is a plain identifier, otherwise in brackets (the pipeline would
// read double quotes as a string).
QString bracketedIdentifier(const QString &name);

} // namespace quoll::connection::embedded
