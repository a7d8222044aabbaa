#pragma once

#include "connection/embedded/catalog/catalogstatements.h"

namespace quoll::connection::embedded {

// CREATE [UNIQUE|DISTINCT] [CLUSTER] INDEX and DROP INDEX: the index in the
// storage engine and its `sysindexes` row (idxtype U or D, clustered C or
// blank, part1..part16 the column numbers, negative for descending), with
// `systables.nindexes` kept. Raises StatementError: -206 unknown table,
// -217 unknown column, -316 the index exists, -319 it does not.
std::optional<CatalogPlan> planIndexStatement(const CatalogContext &context, const StatementTokens &statement);

// UPDATE STATISTICS [LOW|MEDIUM|HIGH] [FOR TABLE [name]]: the server counts
// the rows of the table, or of every table of the database (the catalog's
// included), into `systables.nrows`, and the distinct first-column keys of
// their indexes into `sysindexes.nunique`.
// FOR PROCEDURE is accepted and changes nothing (routines have no plans to
// keep here).
std::optional<CatalogPlan> planStatisticsStatement(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
