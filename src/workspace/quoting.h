#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quoll::workspace {

// Turning SQL into the quoted string pieces of program source and back.
// Lines end at CR LF, a lone LF or a lone CR; a break at the very end adds
// no empty line; a NUL ends the text. Every result line, the last one too,
// is followed by CR LF. Nothing when the text holds no line.

QStringList quotingLines(const QString &text);

// Each line L becomes "'" + L + " '+".
std::optional<QString> addQuotes(const QString &text);

// Each line loses one leading "+'", "+ '", "+  '" or "'", one trailing "'+",
// "' +", "'  +" or "'", and its blanks on both sides.
std::optional<QString> deleteQuotes(const QString &text);

// One line of deleteQuotes.
QString unquotedLine(const QString &line);

} // namespace quoll::workspace
