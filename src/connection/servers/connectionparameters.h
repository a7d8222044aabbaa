#pragma once

#include "connection/engine/parameterlist.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace quoll::connection {
class Database;
}

namespace quoll::connection::servers {

// The 23 lines "NAME=value" every connect starts from, in the order the
// driver expects: the server, the database sysmaster, an empty user name
// and password (the login step fills those in), then the fixed driver
// settings.
QStringList connectionParameterLines(const QString &serverName);

// Replaces everything in `parameters` with those lines.
void fillConnectionParameters(ParameterList &parameters, const QString &serverName);

// Makes `database` rebuild its parameter list before every connect, for
// the server that `serverName` names at that moment.
void installParameterHook(Database &database, std::function<QString()> serverName);

} // namespace quoll::connection::servers
