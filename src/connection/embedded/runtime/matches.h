#pragma once

#include <QStringView>

namespace quoll::connection::embedded {

// Informix MATCHES: "*" any run of characters, "?" any one character,
// "[...]" one of the listed characters or ranges ("[a-z]", "[^0-9]"
// negates), "\" makes the next character plain. Case-sensitive; the whole
// value must match.
bool matchesPattern(QStringView pattern, QStringView value);

} // namespace quoll::connection::embedded
