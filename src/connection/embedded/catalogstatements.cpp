#include "connection/embedded/catalogstatements.h"

#include "connection/embedded/catalogwriter.h"
#include "connection/embedded/ddlparser.h"
#include "connection/embedded/indexstatements.h"
#include "connection/embedded/tableplanner.h"

#include <array>

namespace quoll::connection::embedded {

namespace {

// Every kind of statement that keeps the catalog, tried in order.
constexpr std::array planners{
    &planTableStatement,
    &planIndexStatement,
    &planStatisticsStatement,
    &planAlterConstraints,
};

} // namespace

std::optional<CatalogPlan> planCatalogStatement(const CatalogContext &context, QStringView sql,
                                                const std::vector<SqlToken> &words)
{
    for (CatalogPlanner planner : planners)
        if (std::optional<CatalogPlan> plan = planner(context, sql, words))
            return plan;
    return std::nullopt;
}

RewrittenSql unchanged(QStringView sql)
{
    SqlRewriter rewriter(sql);
    rewriter.copy(0, sql.size());
    return rewriter.finish();
}

std::optional<CatalogPlan> planTableStatement(const CatalogContext &context, QStringView sql,
                                              const std::vector<SqlToken> &)
{
    if (std::optional<CreateTable> created = parseCreateTable(sql))
        return planCreateTable(context, sql, std::move(*created));
    if (std::optional<QString> dropped = parseDropTable(sql)) {
        sqlite3 *db = context.db;
        return CatalogPlan{unchanged(sql), [db, name = *dropped] { recordDropTable(db, name); }};
    }
    return std::nullopt;
}

} // namespace quoll::connection::embedded
