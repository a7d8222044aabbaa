#pragma once

#include <QString>

namespace quoll::connection::odbc {

// Where an Informix server is, as its sqlhosts entry says: the
// dbservername, the host, the service (port or name) and the nettype
// ("onsoctcp" and the like).
struct OdbcServer
{
    QString name;
    QString host;
    QString service;
    QString protocol;
};

// What goes into an Informix connection string besides the server.
struct OdbcLogin
{
    QString database;
    QString user;
    QString password;
};

// A value as a connection string takes it: as it is when plain, else in
// braces with every closing brace doubled.
QString connectionValue(const QString &value);

// "DRIVER=...;SERVER=...;HOST=...;SERVICE=...;PROTOCOL=...;DATABASE=...;
// UID=...;PWD=...". `driver` is a registered driver name or a library path.
// Empty parts are left out; UID and PWD only when a user is given.
QString informixConnectionString(const QString &driver, const OdbcServer &server, const OdbcLogin &login);

// `text` with the password and any "PWD=..." part masked, for every text
// that could echo a connection string.
QString scrubbed(const QString &text, const QString &password);

} // namespace quoll::connection::odbc
