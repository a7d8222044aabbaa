#pragma once

#include "connection/embedded/ddlparser.h"

#include <QString>

struct sqlite3;

namespace quoll::connection::embedded {

// Keeps the system catalog true after DDL, as a server does: the rows of a
// new table in `systables` (tabid from 100 up) and `syscolumns` (coltype and
// collength encoded as Informix encodes them), and their removal when the
// table is dropped. Raises EngineError.
void recordCreateTable(sqlite3 *db, const CreateTable &table, const QString &owner);
void recordDropTable(sqlite3 *db, const QString &table);

// The number the table's SERIAL column gave last, 0 when it has none.
qint64 lastSerial(sqlite3 *db, const QString &table);

// Bytes a row of the table takes, by the sizes the server stores values in.
int rowSizeOf(int coltype, int collength);

} // namespace quoll::connection::embedded
