#pragma once

#include "connection/engine/engine.h"
#include "connection/servers/serverentry.h"

#include <QString>

#include <memory>

namespace quoll::connection::servers {

// The back end that reaches `server`: an embedded engine on the built-in
// server of that name under `serversFolder`, or the ODBC engine for a server
// of the sqlhosts file. Raises EngineError when the back end cannot be made.
std::unique_ptr<Engine> createEngine(const ServerEntry &server, const QString &serversFolder);

} // namespace quoll::connection::servers
