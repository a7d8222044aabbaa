#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// Stored procedures and functions: CREATE [DBA] PROCEDURE|FUNCTION ... END
// PROCEDURE|FUNCTION (the whole text, semicolons of its body included, is
// one statement), DROP PROCEDURE|FUNCTION|ROUTINE, GRANT and REVOKE
// EXECUTE. The embedded server keeps routines in the catalog but does not
// run them: EXECUTE PROCEDURE|FUNCTION and CALL of a stored routine fail
// with a message saying so.
std::optional<CatalogPlan> planRoutineStatement(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
