#include "connection/embedded/sqlfunctions.h"

#include "connection/embedded/matches.h"

#include <QDate>
#include <QDateTime>
#include <QSysInfo>

#include <sqlite3.h>

namespace quoll::connection::embedded {

namespace {

const SessionInfo *sessionOf(sqlite3_context *context)
{
    return static_cast<const SessionInfo *>(sqlite3_user_data(context));
}

void resultText(sqlite3_context *context, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

QString argText(sqlite3_value *value)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return text ? QString::fromUtf8(text).trimmed().toLower() : QString();
}

void userFunction(sqlite3_context *context, int, sqlite3_value **)
{
    resultText(context, sessionOf(context)->user);
}

void todayFunction(sqlite3_context *context, int, sqlite3_value **)
{
    resultText(context, QDate::currentDate().toString(Qt::ISODate));
}

void serverNameFunction(sqlite3_context *context, int, sqlite3_value **)
{
    resultText(context, sessionOf(context)->serverName);
}

// CURRENT: the date and time, to the millisecond, as the storage keeps it.
void currentFunction(sqlite3_context *context, int, sqlite3_value **)
{
    resultText(context, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
}

void dbinfoFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    const SessionInfo *session = sessionOf(context);
    const QString what = argc > 0 ? argText(argv[0]) : QString();
    const QString part = argc > 1 ? argText(argv[1]) : QString();
    if (what == QLatin1String("version")) {
        const char *value = part == QLatin1String("full")          ? ServerVersion::Full
                            : part == QLatin1String("major")       ? ServerVersion::Major
                            : part == QLatin1String("minor")       ? ServerVersion::Minor
                            : part == QLatin1String("level")       ? ServerVersion::Level
                            : part == QLatin1String("os")          ? ServerVersion::Os
                            : part == QLatin1String("server-type") ? ServerVersion::ServerType
                                                                   : nullptr;
        if (!value) {
            sqlite3_result_error(context, "Invalid parameter to dbinfo(version).", -1);
            return;
        }
        sqlite3_result_text(context, value, -1, SQLITE_STATIC);
    } else if (what == QLatin1String("dbname")) {
        resultText(context, session->database);
    } else if (what == QLatin1String("dbhostname")) {
        resultText(context, QSysInfo::machineHostName());
    } else if (what == QLatin1String("sessionid")) {
        sqlite3_result_int(context, 1);
    } else if (what == QLatin1String("sqlca.sqlerrd1") || what == QLatin1String("serial8")
               || what == QLatin1String("bigserial")) {
        sqlite3_result_int(context, session->lastArea.serialOrSecondary);
    } else if (what == QLatin1String("sqlca.sqlerrd2")) {
        sqlite3_result_int(context, session->lastArea.rowsProcessed);
    } else if (what == QLatin1String("utc_current")) {
        sqlite3_result_int64(context, QDateTime::currentSecsSinceEpoch());
    } else {
        sqlite3_result_error(context, "Unknown first argument of dbinfo.", -1);
    }
}

// x MATCHES y reaches the storage engine as match(y, x); NULL gives NULL.
void matchFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *pattern = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int patternBytes = sqlite3_value_bytes(argv[0]);
    const auto *value = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    const int valueBytes = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(context, matchesPattern(QString::fromUtf8(pattern, patternBytes),
                                               QString::fromUtf8(value, valueBytes)));
}

} // namespace

void registerFunctions(sqlite3 *db, const SessionInfo *session)
{
    void *data = const_cast<SessionInfo *>(session);
    sqlite3_create_function_v2(db, "quoll_user", 0, SQLITE_UTF8, data, userFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "quoll_today", 0, SQLITE_UTF8, data, todayFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "quoll_dbservername", 0, SQLITE_UTF8, data, serverNameFunction, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "quoll_current", 0, SQLITE_UTF8, data, currentFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "dbinfo", -1, SQLITE_UTF8, data, dbinfoFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "match", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, matchFunction, nullptr,
                               nullptr, nullptr);
}

} // namespace quoll::connection::embedded
