#pragma once

#include "connection/servers/serverentry.h"
#include "connection/servers/serversource.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>

namespace quoll::connection::servers {

// The servers offered in `cbServerName` and by quoll-sql, sorted by name
// with letter case ignored ("a_srv" before "B_srv" before "c").
class ServerList
{
public:
    ServerList() = default;
    explicit ServerList(QList<ServerEntry> entries);

    // The entries of `primary` when it can be read, else those of `fallback`.
    static ServerList load(const ServerSource &primary, const ServerSource &fallback);

    // The list the program shows: the sqlhosts file that `environment`
    // points at, or the built-in embedded servers when there is none to read.
    static ServerList installed(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

    const QList<ServerEntry> &entries() const { return m_entries; }
    int size() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const ServerEntry &at(int index) const { return m_entries[index]; }

    // The position of the entry named `name` (the whole name, letter case
    // ignored), or -1.
    int indexOf(const QString &name) const;
    // The entry to select at start: the one named `savedName`, else the
    // first; -1 for an empty list.
    int preselectedIndex(const QString &savedName) const;

private:
    QList<ServerEntry> m_entries;
};

} // namespace quoll::connection::servers
