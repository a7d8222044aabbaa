#pragma once

#include <QString>

namespace quoll::catalog {

// The SQL condition that a name filter text adds to a catalog list query:
// every non-empty piece between semicolons, trimmed of blanks and control
// characters, becomes `field matches "piece"`; the alternatives are joined
// by " or " in one parenthesised group after " and ". Nothing when the
// text has no piece. Pieces are not escaped: the server reports a pattern
// that breaks the statement.
QString nameFilterCondition(const QString &filterText, const QString &field);

} // namespace quoll::catalog
