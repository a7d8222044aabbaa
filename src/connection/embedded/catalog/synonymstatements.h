#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// CREATE [PUBLIC | PRIVATE] SYNONYM name FOR [database[@server]:][owner.]object
// and DROP SYNONYM name. A synonym is a `systables` row (tabtype S, or P for a
// private one) with its `syssyntable` row. One for an object of this
// database gets a view of the storage engine under its name, so that queries
// through it reach the object; the server puts the object's own name in
// place of a synonym that a statement writes to. One for an object of
// another database is kept in the catalog only: statements through it are
// refused, since the embedded server reaches one database at a time.
// Raises StatementError: -310 the name is taken, -206 no such object.
std::optional<CatalogPlan> planSynonymStatement(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
