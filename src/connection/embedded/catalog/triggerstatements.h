#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// CREATE TRIGGER and DROP TRIGGER. A trigger lives in the catalog alone
// (systriggers, and its text in systrigbody): the embedded server keeps
// its definition but never runs its actions.
std::optional<CatalogPlan> planTriggerStatement(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
