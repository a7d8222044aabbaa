#pragma once

#include "connection/embedded/server/embeddedserver.h"

#include <QString>
#include <QStringList>

namespace quoll::connection::builtin {

// The servers the program offers when no Informix client configuration is
// found: four embedded servers under the program's servers folder. The
// demo server fills itself with the demo databases on its first connect.
QStringList builtinServerNames();
inline constexpr const char *DemoServerName = "quoll_demo";

// True when `name` is one of the four, letter case ignored.
bool isBuiltinServer(const QString &name);

// The embedded server `name` (one of the four) kept in `serversFolder`.
embedded::EmbeddedServer builtinServer(const QString &name, const QString &serversFolder);

} // namespace quoll::connection::builtin
