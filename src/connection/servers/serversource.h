#pragma once

#include "connection/servers/serverentry.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>

#include <optional>

namespace quoll::connection::servers {

// Where the names of the servers the user can pick come from: the Informix
// client's sqlhosts file here, the registry key \SOFTWARE\Informix\SqlHosts
// on a Windows client (not built yet), or the program's built-in servers.
class ServerSource
{
public:
    virtual ~ServerSource() = default;

    // The servers in the source's own order, or nothing when the source
    // cannot be read at all (no file, no key). A source that is there but
    // lists no server gives an empty list.
    virtual std::optional<QList<ServerEntry>> read() const = 0;
};

// An sqlhosts file on disk.
class SqlhostsFile : public ServerSource
{
public:
    explicit SqlhostsFile(QString path) : m_path(std::move(path)) {}

    // The file the Informix client reads: $INFORMIXSQLHOSTS when set, else
    // $INFORMIXDIR/etc/sqlhosts; empty when neither variable is set.
    static QString locate(const QProcessEnvironment &environment);

    QString path() const { return m_path; }
    std::optional<QList<ServerEntry>> read() const override;

private:
    QString m_path;
};

// The four embedded servers of the program (see builtinservers.h).
class BuiltinServerSource : public ServerSource
{
public:
    std::optional<QList<ServerEntry>> read() const override;
};

} // namespace quoll::connection::servers
