#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// CREATE SEQUENCE, ALTER SEQUENCE, DROP SEQUENCE and RENAME SEQUENCE. A
// sequence is a `systables` row (tabtype Q) with its `syssequences` row;
// the next value to give out is kept in the server's own table
// quoll_sequences. NEXTVAL and CURRVAL are served by the server's functions
// (runtime/sequencefunctions). Raises StatementError: -310 the name is
// taken, -206 no such sequence, -201 an option twice or out of range.
std::optional<CatalogPlan> planSequenceStatement(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
