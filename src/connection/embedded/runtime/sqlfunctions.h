#pragma once

#include "connection/engine/communicationarea.h"

#include <QHash>
#include <QString>

struct sqlite3;

namespace quoll::connection::embedded {

// What the server's SQL functions need to know about the session.
struct SessionInfo
{
    QString user;
    QString serverName;
    QString database;
    CommunicationArea lastArea;   // of the statement before the current one
    // The role SET ROLE made current, empty for none; it holds for the
    // user and the database it was set for.
    QString role;
    QString roleUser;
    QString roleDatabase;
    // The last value NEXTVAL gave in this session, by database and the
    // sequence's tabid ("shop:101"): what CURRVAL answers.
    QHash<QString, qint64> sequenceValues;
};

// The server's version as DBINFO("version", ...) reports it.
namespace ServerVersion {
inline constexpr const char *Full = "Quoll Embedded Server Version 9.40.QE1 (Informix dialect on SQLite)";
inline constexpr const char *Major = "9";
inline constexpr const char *Minor = "40";
inline constexpr const char *Level = "QE1";
inline constexpr const char *Os = "Q";
inline constexpr const char *ServerType = "Quoll Embedded Server";
} // namespace ServerVersion

// Registers the functions the rewritten statements call (quoll_user,
// quoll_today, dbinfo, the string functions, NEXTVAL and CURRVAL) on `db`;
// `session` must outlive the handle.
void registerFunctions(sqlite3 *db, SessionInfo *session);

} // namespace quoll::connection::embedded
