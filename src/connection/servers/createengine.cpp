#include "connection/servers/createengine.h"

#include "connection/builtin/builtinservers.h"
#include "connection/embedded/embeddedengine.h"
#include "connection/engineerror.h"

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
        // The ODBC engine joins the build separately; until then a server of
        // the sqlhosts file cannot be reached.
        throw EngineError(0, u"The ODBC back end is not part of this build."_s);
    }
    throw EngineError(0, u"Unknown back end for server %1."_s.arg(server.name));
}

} // namespace quoll::connection::servers
