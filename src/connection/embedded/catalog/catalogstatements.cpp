#include "connection/embedded/catalog/catalogstatements.h"

#include "connection/embedded/catalog/altertable.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/sql/ddlparser.h"
#include "connection/embedded/catalog/indexstatements.h"
#include "connection/embedded/catalog/refusedforms.h"
#include "connection/embedded/catalog/rolestatements.h"
#include "connection/embedded/catalog/routinestatements.h"
#include "connection/embedded/catalog/sequencestatements.h"
#include "connection/embedded/catalog/synonymstatements.h"
#include "connection/embedded/catalog/tableplanner.h"
#include "connection/embedded/catalog/triggerstatements.h"
#include "connection/embedded/catalog/viewstatements.h"

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// Every kind of statement that keeps the catalog, tried in order. Views
// come before tables: DROP TABLE of a view is refused there, and DROP
// TABLE of a table also drops the views that read it.
constexpr std::array planners{
    &planRefusedForm,
    &planViewStatement,
    &planTableStatement,
    &planIndexStatement,
    &planStatisticsStatement,
    &planAlterConstraints,
    &planAlterTable,
    &planRenameStatement,
    &planTriggerStatement,
    &planRoutineStatement,
    &planRoleStatement,
    &planSynonymStatement,
    &planSequenceStatement,
};

// The first words of every statement the planners above take; rows are
// read and written by statements that begin otherwise, and a script of
// many such statements is not asked eight times each. A planner for a
// statement that begins with another word must add it here.
bool mayKeepCatalog(const StatementTokens &statement)
{
    static constexpr std::array firstWords{"create"_L1, "drop"_L1,    "alter"_L1, "update"_L1, "grant"_L1,
                                           "revoke"_L1, "set"_L1,     "execute"_L1, "call"_L1, "rename"_L1};
    return std::any_of(firstWords.begin(), firstWords.end(),
                       [&](QLatin1StringView w) { return statement.isWord(0, w); });
}

} // namespace

std::optional<CatalogPlan> planCatalogStatement(const CatalogContext &context, const StatementTokens &statement)
{
    if (!mayKeepCatalog(statement))
        return std::nullopt;
    for (CatalogPlanner planner : planners)
        if (std::optional<CatalogPlan> plan = planner(context, statement))
            return plan;
    return std::nullopt;
}

RewrittenSql unchanged(QStringView sql)
{
    SqlRewriter rewriter(sql);
    rewriter.copy(0, sql.size());
    return rewriter.finish();
}

std::optional<CatalogPlan> planTableStatement(const CatalogContext &context, const StatementTokens &statement)
{
    // The parsers read the statement from the start; most statements are
    // told apart by their first word alone.
    const bool creates = statement.isWord(0, "create");
    if (!creates && !statement.isWord(0, "drop"))
        return std::nullopt;
    if (std::optional<CreateTable> created = creates ? parseCreateTable(statement) : std::nullopt)
        return planCreateTable(context, statement.sql(), std::move(*created));
    if (std::optional<QString> dropped = creates ? std::nullopt : parseDropTable(statement)) {
        return CatalogPlan{unchanged(statement.sql()),
                           [name = *dropped](CatalogWriter &out) { recordDropTable(out, name); }};
    }
    return std::nullopt;
}

} // namespace quoll::connection::embedded
