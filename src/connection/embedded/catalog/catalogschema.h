#pragma once

#include <QString>

struct sqlite3;

namespace quoll::connection::embedded {

// Creates the system catalog of a new database in `db`: the catalog tables
// with their Informix columns, each listed in `systables` below tabid 100,
// and the special rows (tabid 90, 91 and 99). The server's own database
// `sysmaster` also gets `sysdatabases`. Raises EngineError.
void createCatalog(sqlite3 *db, bool sysmaster);

// Adds the catalog tables a database made by an earlier version lacks
// (synonyms, sequences, fragments, column dependencies), each listed in
// `systables`. Raises EngineError.
void upgradeCatalog(sqlite3 *db);

// The owner of the catalog tables.
inline constexpr const char *CatalogOwner = "informix";

} // namespace quoll::connection::embedded
