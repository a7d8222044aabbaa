#pragma once

#include "connection/embedded/runtime/schemalookup.h"
#include "connection/embedded/sql/statementtokens.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <map>
#include <vector>

namespace quoll::connection::embedded {

// The changes the Informix dialect needs in one statement, found before it
// is copied for the storage engine; token indexes count the statement's
// significant tokens. Date strings where a DATE is wanted become day numbers, other
// values for DATE columns pass the server's conversion, the Informix forms of
// TRIM, SUBSTRING, EXTEND, column subscripts, DATETIME and INTERVAL literals
// and DATETIME arithmetic become the server's functions, INTO TEMP is taken
// off. Raises StatementError for what the dialect refuses (-201, -1218, -1262).
struct DialectEdits
{
    std::map<size_t, std::pair<size_t, QString>> spans;   // first token -> (last token, its replacement)
    std::map<size_t, QString> before, after;               // text put before or after a token
    DateColumns dateColumns;                               // a SELECT's DATE expression columns
    QString intoTemp;                                      // the table of SELECT ... INTO TEMP
};

// `tablesInScope`: tables (lower case) whose columns the statement's names
// may be without naming the table, as in a table's check condition.
DialectEdits planDialectEdits(const StatementTokens &statement, const SchemaLookup &schema,
                              const QStringList &tablesInScope = {});

// Whether `word` (lower case) is a field of a DATETIME or INTERVAL qualifier.
bool isQualifierWord(const QString &word);

} // namespace quoll::connection::embedded
