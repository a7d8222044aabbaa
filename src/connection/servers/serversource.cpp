#include "connection/servers/serversource.h"

#include "connection/builtin/builtinservers.h"
#include "connection/servers/sqlhostsparser.h"

#include <QDir>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::servers {

QString SqlhostsFile::locate(const QProcessEnvironment &environment)
{
    const QString explicitFile = environment.value(u"INFORMIXSQLHOSTS"_s);
    if (!explicitFile.isEmpty())
        return explicitFile;
    const QString informixDir = environment.value(u"INFORMIXDIR"_s);
    if (informixDir.isEmpty())
        return {};
    return QDir(informixDir).filePath(u"etc/sqlhosts"_s);
}

std::optional<QList<ServerEntry>> SqlhostsFile::read() const
{
    if (m_path.isEmpty())
        return std::nullopt;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Server names are ASCII; other bytes only appear in comments.
    return parseSqlhosts(QString::fromUtf8(file.readAll()));
}

std::optional<QList<ServerEntry>> BuiltinServerSource::read() const
{
    QList<ServerEntry> entries;
    for (const QString &name : builtin::builtinServerNames()) {
        ServerEntry entry;
        entry.name = name;
        entry.backend = ServerBackend::Embedded;
        entries.append(entry);
    }
    return entries;
}

} // namespace quoll::connection::servers
