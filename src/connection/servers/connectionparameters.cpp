#include "connection/servers/connectionparameters.h"

#include "connection/engine/database.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::servers {

QStringList connectionParameterLines(const QString &serverName)
{
    return {
        u"SERVER NAME="_s + serverName,
        u"DATABASE NAME=sysmaster"_s,
        u"USER NAME="_s,
        u"PASSWORD="_s,
        u"OPEN MODE=READ/WRITE"_s,
        u"SCHEMA CACHE SIZE=8"_s,
        u"LANGDRIVER="_s,
        u"SQLQRYMODE="_s,
        u"SQLPASSTHRU MODE=SHARED AUTOCOMMIT"_s,
        u"LOCK MODE=7"_s,
        u"DATE MODE=0"_s,
        u"DATE SEPARATOR=/"_s,
        u"SCHEMA CACHE TIME=-1"_s,
        u"MAX ROWS=-1"_s,
        u"BATCH COUNT=200"_s,
        u"ENABLE SCHEMA CACHE=FALSE"_s,
        u"SCHEMA CACHE DIR="_s,
        u"ENABLE BCD=FALSE"_s,
        u"LIST SYNONYMS=NONE"_s,
        u"DBNLS="_s,
        u"COLLCHAR="_s,
        u"BLOBS TO CACHE=64"_s,
        u"BLOB SIZE=32"_s,
    };
}

void fillConnectionParameters(ParameterList &parameters, const QString &serverName)
{
    parameters.clear();
    for (const QString &line : connectionParameterLines(serverName))
        parameters.append(line);
}

void installParameterHook(Database &database, std::function<QString()> serverName)
{
    database.hooks().beforeConnect = [serverName = std::move(serverName)](ParameterList &parameters) {
        fillConnectionParameters(parameters, serverName());
    };
}

} // namespace quoll::connection::servers
