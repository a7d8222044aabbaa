#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// ALTER TABLE name action, ... where an action is
//   ADD column [BEFORE column] | ADD (column [BEFORE column], ...)
//   MODIFY column | MODIFY (column, ...)
//   DROP column | DROP (column, ...)
//   LOCK MODE (PAGE | ROW | TABLE) | MODIFY NEXT SIZE n | MODIFY EXTENT SIZE n
// The storage engine's table is made again with the new columns and its
// rows copied; the catalog keeps its column numbers, count, row size,
// defaults, NOT NULL constraints and index parts true. ADD CONSTRAINT and
// DROP CONSTRAINT are planned by planAlterConstraints.
std::optional<CatalogPlan> planAlterTable(const CatalogContext &context, const StatementTokens &statement);

// RENAME TABLE [owner.]old TO new and RENAME COLUMN [owner.]table.old TO new.
std::optional<CatalogPlan> planRenameStatement(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
