#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace quoll::connection::embedded {

// A column of a stored table: its name in lower case and its declared type
// in upper case ("DATE", "INTEGER", "CHAR(10)").
struct StoredColumn
{
    QString name;
    QString type;
};

// The columns of a table named in lower case; empty when there is no such
// table. The rewriters use it to tell which names are columns of which
// table and which columns hold dates. An empty lookup knows no table.
using SchemaLookup = std::function<std::vector<StoredColumn>(const QString &table)>;

} // namespace quoll::connection::embedded

struct sqlite3;

namespace quoll::connection::embedded {

// A lookup answered from the tables of `db`, each table read once.
SchemaLookup storedSchema(sqlite3 *db);

} // namespace quoll::connection::embedded
