#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quoll::connection::embedded {

// Rewrites an Informix OUTER join in a SELECT's FROM list into the storage
// engine's LEFT JOIN: "from a, outer b where a.k = b.k and a.x = 1" becomes
// "from a left join b on (a.k = b.k) where a.x = 1" - the WHERE terms that
// name the outer table become its join condition. Nothing when the
// statement has no OUTER; only plain (unnested) outer tables are handled.
std::optional<QString> rewriteOuterJoins(QStringView sql);

} // namespace quoll::connection::embedded
