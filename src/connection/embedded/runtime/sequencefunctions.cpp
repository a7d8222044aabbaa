#include "connection/embedded/runtime/functionsupport.h"

#include "connection/embedded/server/informixerrors.h"

#include <sqlite3.h>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// One prepared statement run with text and integer arguments; its first
// row's columns, nothing when there is none.
std::optional<QList<qint64>> firstRow(sqlite3 *db, const char *sql, const QList<QVariant> &arguments, int columns,
                                      QList<bool> *nulls = nullptr)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return std::nullopt;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i].typeId() == QMetaType::QString) {
            const QByteArray utf8 = arguments[i].toString().toUtf8();
            sqlite3_bind_text(statement, i + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_int64(statement, i + 1, arguments[i].toLongLong());
        }
    }
    std::optional<QList<qint64>> row;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        row.emplace();
        for (int c = 0; c < columns; ++c) {
            row->append(sqlite3_column_int64(statement, c));
            if (nulls)
                nulls->append(sqlite3_column_type(statement, c) == SQLITE_NULL);
        }
    }
    sqlite3_finalize(statement);
    return row;
}

// The sequence a name (or a synonym of it) stands for; 0 for none.
qint64 sequenceTabid(sqlite3 *db, const QString &name)
{
    QString table = name;
    if (const qsizetype dot = table.lastIndexOf(u'.'); dot >= 0)
        table = table.mid(dot + 1);   // owner.name: owners do not tell sequences apart here
    table.remove(u'"');
    const auto found = firstRow(db, "select tabid, case tabtype when 'Q' then 1 when 'S' then 2 when 'P' then 2 "
                                    "else 0 end from systables where tabname = ?",
                                {table.toLower()}, 2);
    if (!found || (*found)[1] == 0)
        return 0;
    if ((*found)[1] == 1)
        return (*found)[0];
    const auto base = firstRow(db, "select s.btabid from syssyntable s join systables t on t.tabid = s.btabid "
                                   "where s.tabid = ? and t.tabtype = 'Q'",
                               {(*found)[0]}, 1);
    return base ? (*base)[0] : 0;
}

QString nameArgument(sqlite3_value *value)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return text ? QString::fromUtf8(text).trimmed() : QString();
}

QString sessionKey(const SessionInfo *session, qint64 tabid)
{
    return session->database + u':' + QString::number(tabid);
}

// NEXTVAL: the value kept as the next one, then the one after it kept in
// its place. Values are not taken back by a rollback, as on a server.
void nextvalFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    auto *session = static_cast<SessionInfo *>(sqlite3_user_data(context));
    sqlite3 *db = sqlite3_context_db_handle(context);
    const QString name = nameArgument(argv[0]);
    const qint64 tabid = sequenceTabid(db, name);
    if (tabid == 0)
        return resultInformixError(context, InformixCode::TableNotInDatabase, name);
    const auto settings = firstRow(db, "select inc_val, min_val, max_val, cycle = '1' from syssequences where tabid = ?",
                                   {tabid}, 4);
    QList<bool> nulls;
    const auto kept = firstRow(db, "select nextval from quoll_sequences where tabid = ?", {tabid}, 1, &nulls);
    if (!settings || !kept)
        return resultInformixError(context, InformixCode::TableNotInDatabase, name);
    const qint64 increment = (*settings)[0], minValue = (*settings)[1], maxValue = (*settings)[2];
    const bool cycle = (*settings)[3] != 0;
    qint64 value = (*kept)[0];
    // NULL kept: the last value given was the last there is.
    if (nulls[0] || value > maxValue || value < minValue) {
        if (!cycle)
            return resultInformixError(context, InformixCode::SequenceExhausted, name);
        value = increment > 0 ? minValue : maxValue;
    }
    qint64 following = 0;
    const bool overflow = __builtin_add_overflow(value, increment, &following);
    sqlite3_stmt *update = nullptr;
    if (sqlite3_prepare_v2(db, "update quoll_sequences set nextval = ? where tabid = ?", -1, &update, nullptr)
        != SQLITE_OK) {
        sqlite3_result_error(context, sqlite3_errmsg(db), -1);
        return;
    }
    if (overflow)
        sqlite3_bind_null(update, 1);
    else
        sqlite3_bind_int64(update, 1, following);
    sqlite3_bind_int64(update, 2, tabid);
    const int rc = sqlite3_step(update);
    sqlite3_finalize(update);
    if (rc != SQLITE_DONE) {
        sqlite3_result_error(context, sqlite3_errmsg(db), -1);
        return;
    }
    session->sequenceValues.insert(sessionKey(session, tabid), value);
    sqlite3_result_int64(context, value);
}

// CURRVAL: the value this session's last NEXTVAL of the sequence gave.
void currvalFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    const auto *session = static_cast<const SessionInfo *>(sqlite3_user_data(context));
    sqlite3 *db = sqlite3_context_db_handle(context);
    const QString name = nameArgument(argv[0]);
    const qint64 tabid = sequenceTabid(db, name);
    if (tabid == 0)
        return resultInformixError(context, InformixCode::TableNotInDatabase, name);
    const auto it = session->sequenceValues.constFind(sessionKey(session, tabid));
    if (it == session->sequenceValues.constEnd())
        return resultInformixError(context, InformixCode::SequenceValueUndefined, name);
    sqlite3_result_int64(context, *it);
}

} // namespace

void registerSequenceFunctions(sqlite3 *db, SessionInfo *session)
{
    sqlite3_create_function_v2(db, "quoll_nextval", 1, SQLITE_UTF8, session, nextvalFunction, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "quoll_currval", 1, SQLITE_UTF8, session, currvalFunction, nullptr, nullptr,
                               nullptr);
}

} // namespace quoll::connection::embedded
