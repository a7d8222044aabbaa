#pragma once

#include "connection/embedded/rewrite/sqlrewriter.h"
#include "connection/embedded/runtime/schemalookup.h"
#include "connection/embedded/sql/statementtokens.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace quoll::connection::embedded {

// Takes the owner off owner-qualified names, since the embedded server has
// one namespace per database and the storage engine would read an owner as
// a schema: "informix.systables" in a table position (after FROM, JOIN,
// OUTER, INTO, UPDATE, TABLE and between the tables of a FROM list), a quoted
// owner anywhere ("ann".orders, 'ann'.orders), the owner of a three-part
// column name (ann.orders.id, ann.orders.*) and of a routine
// (ann.total(...)). Elsewhere "a.b" is table.column and stays. A database
// qualifier in a table position ("shop:orders", "shop@srv:ann.orders") is
// taken off too when it names `database`, the current database (case does
// not matter); one naming another database stays. The owner is accepted
// whatever it is. Nothing when there is nothing to take off; the result
// maps its positions back to `sql`.
// With `synonyms`, the table an INSERT, UPDATE or DELETE writes to is also
// put as the object it is a synonym of.
std::optional<RewrittenSql> dropOwnerNames(const StatementTokens &statement, const QString &database = {},
                                           const SynonymLookup &synonyms = {});
std::optional<RewrittenSql> dropOwnerNames(QStringView sql, const QString &database = {});

} // namespace quoll::connection::embedded
