#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

#include <utility>

namespace quoll::connection::servers {

// Which back end reaches a server: a real Informix server through ODBC, or
// one of the program's own embedded servers.
enum class ServerBackend { Odbc, Embedded };

// "odbc" or "embedded", as quoll-sql prints it.
QString backendName(ServerBackend backend);

// One server the user can pick: its name, the back end that reaches it and,
// for a server from the sqlhosts file, that line's fields. A group entry
// ("name group - - [options]") is a server name too: the Informix client
// connects to the first member of the group that answers.
struct ServerEntry
{
    QString name;
    ServerBackend backend = ServerBackend::Odbc;
    QString nettype;
    QString hostname;
    QString servicename;
    // The options field as key=value pairs, in file order; a key without
    // "=" has an empty value.
    QList<std::pair<QString, QString>> options;

    bool isGroup() const;
    // The value of the first option `key` (letter case ignored), empty when
    // there is none.
    QString option(const QString &key) const;
    // The group this server belongs to (option g=), empty when none.
    QString group() const { return option(QStringLiteral("g")); }

    friend bool operator==(const ServerEntry &, const ServerEntry &) = default;
};

} // namespace quoll::connection::servers

Q_DECLARE_METATYPE(quoll::connection::servers::ServerEntry)
