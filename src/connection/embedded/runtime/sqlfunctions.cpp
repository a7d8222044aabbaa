#include "connection/embedded/runtime/sqlfunctions.h"

#include "connection/embedded/runtime/functionsupport.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/runtime/matches.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <QSysInfo>

#include <optional>

#include <sqlite3.h>

namespace quoll::connection::embedded {

namespace {




void userFunction(sqlite3_context *context, int, sqlite3_value **)
{
    resultText(context, sessionOf(context)->user);
}

void todayFunction(sqlite3_context *context, int, sqlite3_value **)
{
    sqlite3_result_int64(context, dayNumber(QDate::currentDate()));
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




// The conversion of a value meant for a DATE: NULL stays NULL, a text that
// is no date fails with -1218.
void dateFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::optional<qint64> days = dayOf(argv[0]);
    if (!days) {
        resultInformixError(context, InformixCode::StringToDateFailed);
        return;
    }
    sqlite3_result_int64(context, *days);
}

// A DATE in the client's text form, for MATCHES and LIKE.
void dateTextFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) != SQLITE_INTEGER) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    char text[16];
    const int length = writeDate(sqlite3_value_int64(argv[0]), text);
    if (length < 0)
        sqlite3_result_value(context, argv[0]);
    else
        sqlite3_result_text(context, text, length, SQLITE_TRANSIENT);
}

// YEAR, MONTH, DAY and WEEKDAY (0 for Sunday) of a date.
template <int Part>
void datePartFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::optional<qint64> days = dayOf(argv[0]);
    if (!days) {
        resultInformixError(context, InformixCode::StringToDateFailed);
        return;
    }
    const QDate date = dateOfDay(*days);
    const int value = Part == 0 ? date.year() : Part == 1 ? date.month() : Part == 2 ? date.day() : date.dayOfWeek() % 7;
    sqlite3_result_int(context, value);
}

// MDY(month, day, year).
void mdyFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    for (int i = 0; i < 3; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    const int month = sqlite3_value_int(argv[0]);
    const int day = sqlite3_value_int(argv[1]);
    const int year = sqlite3_value_int(argv[2]);
    if (year < 1 || year > 9999)
        return resultInformixError(context, InformixCode::InvalidYearInDate);
    if (month < 1 || month > 12)
        return resultInformixError(context, InformixCode::InvalidMonthInDate);
    const QDate date(year, month, day);
    if (!date.isValid())
        return resultInformixError(context, InformixCode::InvalidDayInDate);
    sqlite3_result_int64(context, dayNumber(date));
}

// EXTEND(value, 'first to last'): a DATE or DATETIME as a DATETIME text of
// the qualifier's fields; missing time fields are zero.
void extendFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    QString full;
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
        full = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[0]))).trimmed();
        if (full.size() == 10 || full.size() < 10 || full[4] != u'-') {
            const std::optional<qint64> days = dayOf(argv[0]);
            if (!days)
                return resultInformixError(context, InformixCode::StringToDateFailed);
            full = dateOfDay(*days).toString(Qt::ISODate);
        }
    } else {
        const std::optional<qint64> days = dayOf(argv[0]);
        if (!days)
            return resultInformixError(context, InformixCode::StringToDateFailed);
        full = dateOfDay(*days).toString(Qt::ISODate);
    }
    full += QStringLiteral("0000-00-00 00:00:00.00000").mid(full.size());
    static const QRegularExpression form(QStringLiteral("^(year|month|day|hour|minute|second|fraction)(?:\\s*\\(\\s*(\\d)\\s*\\))?\\s+to\\s+(year|month|day|hour|minute|second|fraction)(?:\\s*\\(\\s*(\\d)\\s*\\))?$"));
    const QRegularExpressionMatch m = form.match(argText(argv[1]));
    if (!m.hasMatch())
        return resultInformixError(context, InformixCode::SyntaxError);
    const auto start = [](const QString &f) {
        return f == u"year" ? 0 : f == u"month" ? 5 : f == u"day" ? 8 : f == u"hour" ? 11 : f == u"minute" ? 14 : f == u"second" ? 17 : 20;
    };
    const auto stop = [&](const QString &f, const QString &digits) {
        if (f == u"fraction")
            return 20 + std::clamp(digits.isEmpty() ? 3 : digits.toInt(), 1, 5);
        return start(f) + (f == u"year" ? 4 : 2);
    };
    const int from = start(m.captured(1)), to = stop(m.captured(3), m.captured(4));
    if (to <= from)
        return resultInformixError(context, InformixCode::SyntaxError);
    resultText(context, full.mid(from, to - from));
}

// NVL(a, b): a, or b when a is NULL.
void nvlFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    sqlite3_result_value(context, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[1] : argv[0]);
}

// Whether two values are equal as DECODE compares them: numbers by value,
// a number and a numeric text as numbers, texts exactly, NULL only with NULL.
bool decodeEqual(sqlite3_value *a, sqlite3_value *b)
{
    const int ta = sqlite3_value_type(a), tb = sqlite3_value_type(b);
    if (ta == SQLITE_NULL || tb == SQLITE_NULL)
        return ta == tb;
    const bool na = ta == SQLITE_INTEGER || ta == SQLITE_FLOAT, nb = tb == SQLITE_INTEGER || tb == SQLITE_FLOAT;
    if (na && nb)
        return sqlite3_value_double(a) == sqlite3_value_double(b);
    const auto text = [](sqlite3_value *v) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    };
    if (na || nb) {
        bool ok = false;
        const double other = text(na ? b : a).trimmed().toDouble(&ok);
        return ok && other == sqlite3_value_double(na ? a : b);
    }
    return text(a) == text(b);
}

// DECODE(expr, when1, then1, ..., [default]): the first "then" whose "when"
// equals expr, else the default, else NULL.
void decodeFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (argc < 3) {
        sqlite3_result_error(context, "wrong number of arguments to function decode()", -1);
        return;
    }
    int i = 1;
    for (; i + 1 < argc; i += 2) {
        if (decodeEqual(argv[0], argv[i])) {
            sqlite3_result_value(context, argv[i + 1]);
            return;
        }
    }
    if (i < argc)
        sqlite3_result_value(context, argv[i]);
    else
        sqlite3_result_null(context);
}

// LENGTH (bytes without trailing blanks), OCTET_LENGTH (bytes) and
// CHAR_LENGTH (characters) of a value's text.
template <int Kind>
void lengthFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    int bytes = sqlite3_value_bytes(argv[0]);
    if (Kind == 0)
        while (bytes > 0 && text[bytes - 1] == ' ')
            --bytes;
    if (Kind == 2)
        sqlite3_result_int(context, int(QString::fromUtf8(text, bytes).size()));
    else
        sqlite3_result_int(context, bytes);
}




// DATETIME ± INTERVAL: quoll_dtadd(datetime, sign, 'value', 'first to last').
void dateTimeAddFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    QDateTime start;
    bool timeOnly = false;
    QString shape;
    if (!dateTimeArgument(argv[0], start, timeOnly, shape))
        return resultInformixError(context, InformixCode::NonNumericInDateTime);
    int sign = sqlite3_value_int(argv[1]);
    QString value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[2]))).trimmed();
    if (value.startsWith(u'-')) {
        sign = -sign;
        value = value.mid(1).trimmed();
    }
    const QString qualifier = argText(argv[3]);
    static const QStringList fields{QStringLiteral("year"), QStringLiteral("month"), QStringLiteral("day"),
                                    QStringLiteral("hour"), QStringLiteral("minute"), QStringLiteral("second"),
                                    QStringLiteral("fraction")};
    const qsizetype first = fields.indexOf(qualifier.section(u' ', 0, 0).section(u'(', 0, 0));
    const qsizetype last = fields.indexOf(qualifier.section(QStringLiteral(" to "), 1).section(u'(', 0, 0).trimmed());
    static const QRegularExpression separators(QStringLiteral("[- :.]"));
    const QStringList parts = value.split(separators);
    if (first < 0 || last < first || parts.size() != last - first + 1)
        return resultInformixError(context, InformixCode::NonNumericInDateTime);
    QDateTime result = start;
    if (first <= 1) {
        if (last > 1)
            return resultInformixError(context, InformixCode::NonNumericInDateTime);
        const int months = first == 0 ? parts[0].toInt() * 12 + (last == 1 ? parts[1].toInt() : 0) : parts[0].toInt();
        const QDate date = start.date();
        const QDate moved = QDate(date.year(), date.month(), 1).addMonths(sign * months);
        // No 31 February: the sum is out of range, as on a server.
        if (date.day() > moved.daysInMonth())
            return resultInformixError(context, InformixCode::DateTimeOutOfRange);
        result = QDateTime(QDate(moved.year(), moved.month(), date.day()), start.time());
    } else {
        static const qint64 unit[] = {0, 0, 86400000, 3600000, 60000, 1000, 1};
        qint64 msecs = 0;
        for (qsizetype f = first; f <= last; ++f) {
            const QString &part = parts[f - first];
            msecs += f == 6 ? (part + QStringLiteral("00")).left(3).toLongLong() : part.toLongLong() * unit[f];
        }
        result = start.addMSecs(sign * msecs);
    }
    // A DATE moved by years, months or days stays a DATE.
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER && last <= 2) {
        sqlite3_result_int64(context, dayNumber(result.date()));
        return;
    }
    resultText(context, dateTimeText(result, timeOnly, shape));
}

// DATETIME - DATETIME: the interval as "days hh:mi:ss[.fff]".
void dateTimeDiffFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    QDateTime a, b;
    bool onlyTimeA = false, onlyTimeB = false;
    QString shapeA, shapeB;
    if (!dateTimeArgument(argv[0], a, onlyTimeA, shapeA) || !dateTimeArgument(argv[1], b, onlyTimeB, shapeB))
        return resultInformixError(context, InformixCode::NonNumericInDateTime);
    qint64 msecs = b.msecsTo(a);
    const bool negative = msecs < 0;
    msecs = std::abs(msecs);
    // To the last field both operands have: "days hh:mi:ss.fff" cut there.
    const qsizetype timeA = onlyTimeA ? shapeA.size() : shapeA.size() - 11;
    const qsizetype timeB = onlyTimeB ? shapeB.size() : shapeB.size() - 11;
    const qsizetype timeChars = std::min(timeA, timeB);
    const QString time = QStringLiteral("%1:%2:%3.%4")
                             .arg(msecs / 3600000 % 24, 2, 10, QLatin1Char('0'))
                             .arg(msecs / 60000 % 60, 2, 10, QLatin1Char('0'))
                             .arg(msecs / 1000 % 60, 2, 10, QLatin1Char('0'))
                             .arg(msecs % 1000, 3, 10, QLatin1Char('0'));
    QString text = (negative ? QStringLiteral("-") : QString()) + QString::number(msecs / 86400000);
    if (timeChars > 0)
        text += u' ' + time.left(timeChars);
    resultText(context, text);
}

} // namespace

void registerFunctions(sqlite3 *db, SessionInfo *session)
{
    void *data = session;
    sqlite3_create_function_v2(db, "quoll_user", 0, SQLITE_UTF8, data, userFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "quoll_today", 0, SQLITE_UTF8, data, todayFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "quoll_dbservername", 0, SQLITE_UTF8, data, serverNameFunction, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "quoll_current", 0, SQLITE_UTF8, data, currentFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "dbinfo", -1, SQLITE_UTF8, data, dbinfoFunction, nullptr, nullptr, nullptr);
    const auto pure = [db](const char *name, int args, void (*f)(sqlite3_context *, int, sqlite3_value **)) {
        sqlite3_create_function_v2(db, name, args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, f, nullptr, nullptr,
                                   nullptr);
    };
    pure("quoll_date", 1, dateFunction);
    pure("date", 1, dateFunction);
    pure("quoll_datetext", 1, dateTextFunction);
    pure("year", 1, datePartFunction<0>);
    pure("month", 1, datePartFunction<1>);
    pure("day", 1, datePartFunction<2>);
    pure("weekday", 1, datePartFunction<3>);
    pure("mdy", 3, mdyFunction);
    pure("quoll_extend", 2, extendFunction);
    pure("quoll_dtadd", 4, dateTimeAddFunction);
    pure("quoll_dtdiff", 2, dateTimeDiffFunction);
    pure("nvl", 2, nvlFunction);
    pure("decode", -1, decodeFunction);
    pure("length", 1, lengthFunction<0>);
    pure("octet_length", 1, lengthFunction<1>);
    pure("char_length", 1, lengthFunction<2>);
    pure("character_length", 1, lengthFunction<2>);
    registerStringFunctions(db);
    registerSequenceFunctions(db, session);
    sqlite3_create_function_v2(db, "match", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, matchFunction, nullptr,
                               nullptr, nullptr);
}

} // namespace quoll::connection::embedded
