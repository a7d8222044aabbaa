#pragma once

#include "catalog/procinfo.h"

#include <QString>

namespace quoll::connection {
class Query;
}

namespace quoll::catalog {

// Every lone CR and every lone LF of `text` made a CR LF.
QString withCrLfBreaks(const QString &text);

// `ReadCatalogText`: opens a piece query whose parameter is set (each row a
// piece of a stored text with "%" appended, in order) and returns the
// pieces joined, each without its last character, with CR LF line breaks.
// Trailing blanks of a piece stay. Raises EngineError.
QString ReadCatalogText(connection::Query &query);

// `BuildProcText`: the script of a routine: its drop statement, a blank
// line, its source text and its document text, as the catalog holds them,
// and a final line break. Raises EngineError.
QString BuildProcText(const ProcInfo &routine, connection::Query &qProcBd, connection::Query &qProcDc);

} // namespace quoll::catalog
