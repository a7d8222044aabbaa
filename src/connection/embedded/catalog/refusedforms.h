#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// Statements of forms the embedded server does not follow, refused with
// -32003 at their first word and a message naming the form: user-defined
// types (row, distinct, opaque) and casts, aggregates, access methods and
// operator classes, external tables, XA data sources, ALTER FRAGMENT.
// Nothing for every other statement.
std::optional<CatalogPlan> planRefusedForm(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
