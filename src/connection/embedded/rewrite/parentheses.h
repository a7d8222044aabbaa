#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quoll::connection::embedded {

class StatementTokens;

// The storage engine's parser gives up on expressions nested about a
// hundred levels deep, and listings of view texts nest that deep when
// they put every operation in parentheses: "((((a = 1) or (a = 2)) or
// (a = 3)) ...)". When a statement nests deeper than the engine is known
// to read, the parentheses that change nothing are blanked out: around a
// single operand, around a group that is all a group holds, and around an
// operation whose operators bind at least as tightly as those beside the
// group (AND and OR chains, comparisons under AND). Every character keeps
// its place, so positions in the result are positions in `sql`. Nothing
// when the statement nests shallowly enough or nothing could be blanked.
std::optional<QString> flattenDeepParentheses(const StatementTokens &statement);

// The nesting from which flattenDeepParentheses works.
inline constexpr int DeepNesting = 32;

} // namespace quoll::connection::embedded
