#pragma once

#include <QString>
#include <QStringList>

namespace quoll {

// The longest a list of remembered names grows through RememberName.
inline constexpr int RememberedNamesKept = 5;

// Moves `name` to the front of `list` (removing every equal entry, letter
// case significant) and drops what stands after the fifth entry. An empty
// name is remembered like any other.
void RememberName(QStringList &list, const QString &name);

} // namespace quoll
