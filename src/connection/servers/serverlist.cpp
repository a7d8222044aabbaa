#include "connection/servers/serverlist.h"

#include <algorithm>

namespace quoll::connection::servers {

ServerList::ServerList(QList<ServerEntry> entries) : m_entries(std::move(entries))
{
    // Stable, so two names equal but for case keep their source order.
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const ServerEntry &a, const ServerEntry &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
}

ServerList ServerList::load(const ServerSource &primary, const ServerSource &fallback)
{
    if (std::optional<QList<ServerEntry>> entries = primary.read())
        return ServerList(std::move(*entries));
    return ServerList(fallback.read().value_or(QList<ServerEntry>()));
}

ServerList ServerList::installed(const QProcessEnvironment &environment)
{
    return load(SqlhostsFile(SqlhostsFile::locate(environment)), BuiltinServerSource());
}

int ServerList::indexOf(const QString &name) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int ServerList::preselectedIndex(const QString &savedName) const
{
    if (m_entries.isEmpty())
        return -1;
    return std::max(indexOf(savedName), 0);
}

} // namespace quoll::connection::servers
