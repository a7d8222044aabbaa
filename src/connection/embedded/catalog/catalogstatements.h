#pragma once

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/runtime/sqlfunctions.h"
#include "connection/embedded/sql/statementtokens.h"
#include "connection/embedded/rewrite/sqlrewriter.h"

#include <QStringView>

#include <functional>
#include <optional>
#include <vector>

struct sqlite3;

namespace quoll::connection::embedded {

// What a statement that changes the catalog is carried out in.
struct CatalogContext
{
    sqlite3 *db;
    SessionInfo *session;
};

// How the server carries out a statement that keeps the catalog: what the
// storage engine runs (rewritten from the user's text, so that an error
// offset maps back to it), then the catalog rows written after it
// succeeded. Both run inside one savepoint: they succeed or fail together.
struct CatalogPlan
{
    // The statement for the storage engine, still in Informix SQL (the
    // usual rewriting follows); none when the statement lives in the
    // catalog alone (a trigger, a routine, a role).
    std::optional<RewrittenSql> storage;
    // Writes the catalog rows through the one writer, which keeps them in
    // order as values; raises EngineError (StatementError for a failure at
    // a position of the statement).
    std::function<void(CatalogWriter &)> record;
    // A table the statement creates, with its columns: the statement's own
    // checks and defaults name them, and are rewritten knowing their types.
    std::optional<std::pair<QString, std::vector<StoredColumn>>> createdTable = std::nullopt;
};

// A planner looks at a statement's tokens (trailing semicolons
// removed) and answers nothing when the statement is not one of its kinds.
// It raises StatementError when it is one of them but cannot be carried
// out (a syntax error, an object that exists or does not).
using CatalogPlanner = std::optional<CatalogPlan> (*)(const CatalogContext &context, const StatementTokens &statement);

// The plan of the first planner that knows the statement.
std::optional<CatalogPlan> planCatalogStatement(const CatalogContext &context, const StatementTokens &statement);

// The statement unchanged, as the storage engine's input.
RewrittenSql unchanged(QStringView sql);

// CREATE TABLE and DROP TABLE.
std::optional<CatalogPlan> planTableStatement(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
