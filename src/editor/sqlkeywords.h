#pragma once

#include <QStringList>
#include <QStringView>

namespace quoll::editor {

// The reserved words of the standard SQL dialect, lower case, in the order
// of the list they are built from.
const QStringList &reservedWords();

// Whether `word` is a reserved word; ASCII letters match either case.
bool isReservedWord(QStringView word);

} // namespace quoll::editor
