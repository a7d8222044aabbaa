#pragma once

#include <QString>

#include <sql.h>

#include <vector>

namespace quoll::connection::odbc {

// SQLWCHAR is UTF-16 on the driver manager: a QString's code units pass
// straight through.
inline const SQLWCHAR *wide(const QString &text)
{
    return reinterpret_cast<const SQLWCHAR *>(text.utf16());
}
QString fromWide(const SQLWCHAR *text, int length);

// One diagnostic record of a handle.
struct Diagnostic
{
    QString state;      // SQLSTATE, five characters
    int nativeCode = 0;
    QString message;    // without the vendors' "[...]" prefixes
};

// Every diagnostic record of the handle, in order. Must be read right after
// the call that failed: every further call clears them.
std::vector<Diagnostic> readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// A message without its leading "[vendor][driver]" parts.
QString plainMessage(const QString &message);

} // namespace quoll::connection::odbc
