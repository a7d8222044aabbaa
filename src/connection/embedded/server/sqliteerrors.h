#pragma once

#include "connection/engine/engineerror.h"

#include <QString>

struct sqlite3;

namespace quoll::connection::embedded {

// A storage-engine failure seen as the Informix error it stands for.
struct ServerFailure
{
    int code = 0;
    QString message;
    int byteOffset = -1;   // where in the (UTF-8) statement the failure is, -1 unknown
    QString name;          // the table, column or routine the failure is about

    EngineError error() const { return EngineError(code, message); }
};

// Turns the last failure on `db` (result code `rc`) into the Informix error
// a server would report: syntax errors, unknown tables and columns, broken
// unique, not-null, check and reference rules, and so on.
ServerFailure mapSqliteFailure(sqlite3 *db, int rc);

} // namespace quoll::connection::embedded
