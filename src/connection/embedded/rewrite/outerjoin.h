#pragma once

#include "connection/embedded/runtime/schemalookup.h"
#include "connection/embedded/rewrite/sqlrewriter.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace quoll::connection::embedded {

// Rewrites Informix OUTER joins in a SELECT's FROM list into the storage
// engine's LEFT JOINs: "from a, outer b where a.k = b.k and a.x = 1" becomes
// "from a left join b on (a.k = b.k) where a.x = 1". Nested groups
// ("from a, outer (b, outer c)") become parenthesised joins, several
// subordinate tables become several LEFT JOINs. Each WHERE term that names a
// subordinate table becomes the join condition of the innermost outer table
// or group that can carry it; columns written without a table are found
// through `schema`. Nothing when the statement has no OUTER. The result
// maps its positions back to `sql`.
// Raises StatementError -393 for a term joining two subordinate tables of
// the same level (a two-sided outer join) and -395 for a subordinate table
// that no term joins (an outer Cartesian product).
std::optional<RewrittenSql> rewriteOuterJoins(QStringView sql, const SchemaLookup &schema = {});

} // namespace quoll::connection::embedded
