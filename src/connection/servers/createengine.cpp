#include "connection/servers/createengine.h"

#include "connection/builtin/builtinservers.h"
#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/engineerror.h"
#include "connection/odbc/odbcengine.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::servers {

std::unique_ptr<Engine> createEngine(const ServerEntry &server, const QString &serversFolder)
{
    switch (server.backend) {
    case ServerBackend::Embedded:
        if (!builtin::isBuiltinServer(server.name))
            throw EngineError(0, u"%1 is not one of the built-in servers."_s.arg(server.name));
        return std::make_unique<embedded::EmbeddedEngine>(builtin::builtinServer(server.name, serversFolder));
    case ServerBackend::Odbc:
        // A group is resolved by the driver through the sqlhosts file; it
        // has no host or service of its own.
        if (server.isGroup())
            return std::make_unique<odbc::OdbcEngine>(odbc::OdbcServer{server.name, {}, {}, {}});
        return std::make_unique<odbc::OdbcEngine>(
            odbc::OdbcServer{server.name, server.hostname, server.servicename, server.nettype});
    }
    throw EngineError(0, u"Unknown back end for server %1."_s.arg(server.name));
}

} // namespace quoll::connection::servers
