#include "connection/builtin/builtinservers.h"

#include "connection/builtin/demodatabases.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::builtin {

QStringList builtinServerNames()
{
    return {QString::fromLatin1(DemoServerName), u"quoll_dev"_s, u"quoll_test"_s, u"quoll_work"_s};
}

bool isBuiltinServer(const QString &name)
{
    return builtinServerNames().contains(name.trimmed(), Qt::CaseInsensitive);
}

embedded::EmbeddedServer builtinServer(const QString &name, const QString &serversFolder)
{
    const QString normal = name.trimmed().toLower();
    embedded::EmbeddedServer server(normal, QDir(serversFolder).filePath(normal));
    if (normal == QLatin1String(DemoServerName))
        server.setSeed(&generateDemoDatabases);
    return server;
}

} // namespace quoll::connection::builtin
