#pragma once

#include <QString>
#include <QStringList>

namespace quoll::connection {

class Query;

// What the program asks a server when it connects and switches databases,
// sent through the program's own query object.

// The user the server knows the session by, and its version in full and
// as its major number.
struct ServerIdentity
{
    QString user;
    QString version;
    QString majorVersion;
};
ServerIdentity readServerIdentity(Query &query);

// The server's databases, read without waiting for locks, sorted as the
// database picker lists them: letter case ignored, names equal but for case
// in a fixed order.
QStringList readDatabaseNames(Query &query);

// Makes `name` the session's current database (DATABASE name). Raises
// Error when the server refuses.
void useDatabase(Query &query, const QString &name);

} // namespace quoll::connection
