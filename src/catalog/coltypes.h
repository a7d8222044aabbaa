#pragma once

#include <QString>

namespace quoll::catalog {

// The name of an Informix column type code (syscolumns.coltype without its
// flag bits, that is modulo 256): "CHAR", "SMALLINT", ... as the column list
// shows it; "UNKNOWN" for a code the program does not know.
QString ColTypeName(int code);

// The "Size" text of a column: precision and scale of DECIMAL and MONEY
// ("16,2"), the qualifier of DATETIME and INTERVAL ("YEAR(4) : SECOND"),
// and collength as it is for every other type.
QString ColSizeText(int code, int collength);

} // namespace quoll::catalog
