#pragma once

#include "catalog/procinfo.h"

#include <QString>

namespace quoll::connection {
class Database;
}

namespace quoll::catalog {

// `qProc`: reads the routine list with the name condition `condition`. On a
// server of major version "9" the query also reads isproc (a routine is a
// function when it is "f"); on any other every routine is a procedure. The
// text goes to the server as it stands. Raises EngineError.
ProcInfoList readProcList(connection::Database &database, const QString &serverMajorVersion, const QString &condition);

} // namespace quoll::catalog
