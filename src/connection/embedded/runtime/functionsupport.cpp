#include "connection/embedded/runtime/functionsupport.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"

#include <QRegularExpression>

#include <sqlite3.h>

namespace quoll::connection::embedded {

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

// Failures carrying an Informix code, which the error mapping reads back.
void resultInformixError(sqlite3_context *context, int code)
{
    const QByteArray message = "[" + QByteArray::number(code) + "] " + informixMessage(code).toUtf8();
    sqlite3_result_error(context, message.constData(), int(message.size()));
}

void resultInformixError(sqlite3_context *context, int code, const QString &name)
{
    const QByteArray message = "[" + QByteArray::number(code) + "] " + informixMessage(code, name).toUtf8();
    sqlite3_result_error(context, message.constData(), int(message.size()));
}

// A value as a day number: integers are day numbers, texts dates in the
// client's form or ISO (a DATETIME's text gives its date); nothing else.
std::optional<qint64> dayOf(sqlite3_value *value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return sqlite3_value_int64(value);
    case SQLITE_FLOAT:
        return qint64(sqlite3_value_double(value));
    case SQLITE_TEXT: {
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(value)),
                                               sqlite3_value_bytes(value)).trimmed();
        if (const auto days = parseDateText(text))
            return days;
        if (text.size() > 10 && text[10] == u' ')
            return parseDateText(text.left(10));
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// A DATETIME text read into a date and time: "yyyy[-mm[-dd[ hh[:mi[:ss[.f]]]]]]"
// or "hh[:mi[:ss[.f]]]" (the day is then 1 January 2000); false for others.
bool readDateTime(const QString &text, QDateTime &out, bool &timeOnly)
{
    static const QRegularExpression full(QStringLiteral(
        "^(\\d{4})(?:-(\\d{1,2})(?:-(\\d{1,2})(?: (\\d{1,2})(?::(\\d{1,2})(?::(\\d{1,2})(?:\\.(\\d{1,5}))?)?)?)?)?)?$"));
    static const QRegularExpression time(QStringLiteral("^(\\d{1,2})(?::(\\d{1,2})(?::(\\d{1,2})(?:\\.(\\d{1,5}))?)?)?$"));
    const auto n = [](const QRegularExpressionMatch &m, int i, int fallback) {
        return m.captured(i).isEmpty() ? fallback : m.captured(i).toInt();
    };
    const auto ms = [](const QString &fraction) { return fraction.isEmpty() ? 0 : (fraction + QStringLiteral("00")).left(3).toInt(); };
    if (const QRegularExpressionMatch m = full.match(text); m.hasMatch()) {
        timeOnly = false;
        out = QDateTime(QDate(n(m, 1, 1), n(m, 2, 1), n(m, 3, 1)), QTime(n(m, 4, 0), n(m, 5, 0), n(m, 6, 0), ms(m.captured(7))));
        return out.isValid();
    }
    if (const QRegularExpressionMatch m = time.match(text); m.hasMatch()) {
        timeOnly = true;
        out = QDateTime(QDate(2000, 1, 1), QTime(n(m, 1, 0), n(m, 2, 0), n(m, 3, 0), ms(m.captured(4))));
        return out.isValid();
    }
    return false;
}

// A DATE day number or a DATETIME text as a date and time.
bool dateTimeArgument(sqlite3_value *value, QDateTime &out, bool &timeOnly, QString &shape)
{
    if (sqlite3_value_type(value) == SQLITE_INTEGER) {
        out = QDateTime(dateOfDay(sqlite3_value_int64(value)), QTime(0, 0));
        timeOnly = false;
        shape = out.date().toString(Qt::ISODate);
        return true;
    }
    shape = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(value))).trimmed();
    return readDateTime(shape, out, timeOnly);
}

// The text of `value` in the layout of `shape` (as many characters).
QString dateTimeText(const QDateTime &value, bool timeOnly, const QString &shape)
{
    const QString all = value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + QStringLiteral("00");
    return (timeOnly ? all.mid(11) : all).left(shape.size());
}

} // namespace quoll::connection::embedded
