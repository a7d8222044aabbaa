#include "connection/servers/serverentry.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::servers {

QString backendName(ServerBackend backend)
{
    return backend == ServerBackend::Embedded ? u"embedded"_s : u"odbc"_s;
}

bool ServerEntry::isGroup() const
{
    return nettype.compare(u"group"_s, Qt::CaseInsensitive) == 0;
}

QString ServerEntry::option(const QString &key) const
{
    for (const auto &[k, value] : options) {
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

} // namespace quoll::connection::servers
