#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// CREATE VIEW and DROP VIEW; DROP TABLE of a view fails as on a server, and
// DROP TABLE of a table also drops the views left without their table.
std::optional<CatalogPlan> planViewStatement(const CatalogContext &context, const StatementTokens &statement);

// Drops the views (and synonyms) that no longer resolve after a change to
// a table they read, and those that then break, as a server drops them.
void dropViewsLeftBroken(CatalogWriter &out);

} // namespace quoll::connection::embedded
