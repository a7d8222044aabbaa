#pragma once

#include "connection/embedded/catalog/catalogrows.h"

#include "connection/embedded/sql/ddlparser.h"

#include <QList>
#include <QString>
#include <QVariant>

struct sqlite3;

namespace quoll::connection::embedded {

// Keeps the system catalog true after DDL, as a server does: the rows of a
// new table in `systables` (tabid from 100 up) and `syscolumns` (coltype and
// collength encoded as Informix encodes them), and their removal when the
// table is dropped, together with everything the catalog keeps about it
// (defaults, indexes, constraints and references, triggers). Raises
// EngineError.
void recordCreateTable(CatalogWriter &out, const CreateTable &table, const QString &owner);
void recordDropTable(CatalogWriter &out, const QString &table);

// The next number of a catalog identifier ("tabid", "constrid", "procid",
// "trigid"): like a SERIAL, one past the highest ever given in this
// database, so that a dropped object's number is never given again.
qint64 nextCatalogId(CatalogWriter &out, const char *name);

// The number nextCatalogId would give now, without giving it.
qint64 peekCatalogId(sqlite3 *db, const char *name);

// Records `value` as given, so that nextCatalogId gives more than it.
void claimCatalogId(CatalogWriter &out, const char *name, qint64 value);

// The tabid of a user table or view, 0 when there is none of that name.
qint64 tabidOf(sqlite3 *db, const QString &name);

// The number the table's SERIAL column gave last, 0 when it has none.
qint64 lastSerial(sqlite3 *db, const QString &table);

// Bytes a row of the table takes, by the sizes the server stores values in.
int rowSizeOf(int coltype, int collength);

// A literal default as the catalog stores it: text types keep the text;
// every other type has a printable encoding of the value, a blank, then
// the text.
QString storedLiteral(int coltype, const QString &text);

// The numbering of a SERIAL column: its counter row (the last number
// given) and the trigger that gives the next one to a row inserted with 0.
void writeSerialNumbering(CatalogWriter &out, const QString &table, const QString &column, qint64 last);
QString serialTriggerName(const QString &table, const QString &column);

} // namespace quoll::connection::embedded
