#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// Roles and privileges: CREATE ROLE, DROP ROLE, GRANT role TO ..., REVOKE
// role FROM ..., GRANT|REVOKE DEFAULT ROLE, SET ROLE; GRANT|REVOKE
// CONNECT|RESOURCE|DBA (kept in sysusers); and GRANT|REVOKE of table
// privileges, which are checked (the table must exist) and accepted, but
// neither kept nor enforced: the embedded server has no systabauth and
// grants every user every privilege.
std::optional<CatalogPlan> planRoleStatement(const CatalogContext &context, const StatementTokens &statement);

// The role current in the session's database, empty for none.
QString currentRole(const SessionInfo &session);

} // namespace quoll::connection::embedded
