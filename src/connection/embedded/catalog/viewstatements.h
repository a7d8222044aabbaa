#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// CREATE VIEW and DROP VIEW; DROP TABLE of a view fails as on a server, and
// DROP TABLE of a table also drops the views left without their table.
std::optional<CatalogPlan> planViewStatement(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
