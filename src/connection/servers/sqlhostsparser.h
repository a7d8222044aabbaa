#pragma once

#include "connection/servers/serverentry.h"

#include <QList>
#include <QString>

namespace quoll::connection::servers {

// Reads the text of an Informix sqlhosts file: one server a line,
// "dbservername nettype hostname servicename [options]", fields separated
// by blanks or tabs; "#" starts a comment that runs to the end of the line.
// Lines that cannot be a server (fewer than four or more than five fields,
// a name that is not a server name) are skipped; when a name comes twice,
// letter case ignored, the first line wins. Entries come in file order, all
// with the ODBC back end.
QList<ServerEntry> parseSqlhosts(const QString &text);

// The options field "k=v,k=v": a comma inside parentheses ("csm=(a,b)")
// does not end an option.
QList<std::pair<QString, QString>> parseSqlhostsOptions(const QString &field);

// True when `name` can be a dbservername: a letter first, then letters,
// digits, "_" or "." (group members are often named "group.1"), at most 128
// characters.
bool isServerName(const QString &name);

} // namespace quoll::connection::servers
