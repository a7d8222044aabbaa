#include "connection/embedded/runtime/functionsupport.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

bool isNull(sqlite3_value *value)
{
    return sqlite3_value_type(value) == SQLITE_NULL;
}

// An argument's text as written (not trimmed, case kept).
QString textOf(sqlite3_value *value)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return text ? QString::fromUtf8(text, sqlite3_value_bytes(value)) : QString();
}

bool anyNull(int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i)
        if (isNull(argv[i]))
            return true;
    return false;
}

// A whole number in the argument, as a server converts it (1.9 -> 1).
qint64 wholeOf(sqlite3_value *value)
{
    return sqlite3_value_type(value) == SQLITE_INTEGER ? sqlite3_value_int64(value)
                                                       : qint64(sqlite3_value_double(value));
}

// A number's result: a whole number stays one, so 7 MOD 3 shows "1", not "1.0".
void resultNumber(sqlite3_context *context, double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.0e15)
        sqlite3_result_int64(context, qint64(value));
    else
        sqlite3_result_double(context, value);
}

// LPAD(s, n [, pad]) and RPAD: `s` padded with `pad` (a blank by default)
// or cut to n characters.
template<bool Left>
void padFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const QString text = textOf(argv[0]);
    const qint64 length = wholeOf(argv[1]);
    if (length <= 0)
        return resultText(context, QString());
    if (length > 32739)
        return resultInformixError(context, InformixCode::SyntaxError);
    if (text.size() >= length)
        return resultText(context, text.left(length));
    const QString pad = argc > 2 ? textOf(argv[2]) : u" "_s;
    if (pad.isEmpty())
        return resultText(context, text);
    QString fill;
    while (fill.size() < length - text.size())
        fill += pad;
    fill.truncate(length - text.size());
    resultText(context, Left ? fill + text : text + fill);
}

// INSTR(s, sub [, start [, count]]): where the count-th `sub` from `start`
// begins (from 1), 0 when it does not occur; a negative start counts
// from the end and searches backward.
void instrFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const QString text = textOf(argv[0]);
    const QString sub = textOf(argv[1]);
    const qint64 start = argc > 2 ? wholeOf(argv[2]) : 1;
    qint64 count = argc > 3 ? wholeOf(argv[3]) : 1;
    if (sub.isEmpty() || start == 0 || count <= 0)
        return sqlite3_result_int(context, 0);
    qsizetype at = -1;
    if (start > 0) {
        qsizetype from = qsizetype(start - 1);
        while (count-- > 0 && from <= text.size()) {
            at = text.indexOf(sub, from);
            if (at < 0)
                break;
            from = at + 1;
        }
    } else {
        qsizetype from = text.size() + qsizetype(start);
        while (count-- > 0 && from >= 0) {
            at = text.lastIndexOf(sub, from);
            if (at < 0)
                break;
            from = at - 1;
        }
    }
    sqlite3_result_int64(context, at < 0 ? 0 : at + 1);
}

// REPLACE(s, old [, new]): without `new`, every `old` is taken out.
void replaceFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    QString text = textOf(argv[0]);
    const QString old = textOf(argv[1]);
    if (old.isEmpty())
        return resultText(context, text);
    resultText(context, text.replace(old, argc > 2 ? textOf(argv[2]) : QString()));
}

// MOD(a, b): the remainder, a whole number when both are.
void modFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER && sqlite3_value_numeric_type(argv[1]) == SQLITE_INTEGER) {
        const qint64 b = sqlite3_value_int64(argv[1]);
        if (b == 0)
            return resultInformixError(context, InformixCode::DivisionByZero);
        const qint64 a = sqlite3_value_int64(argv[0]);
        return sqlite3_result_int64(context, b == -1 ? 0 : a % b);
    }
    const double b = sqlite3_value_double(argv[1]);
    if (b == 0)
        return resultInformixError(context, InformixCode::DivisionByZero);
    resultNumber(context, std::fmod(sqlite3_value_double(argv[0]), b));
}

// TRUNC(x [, places]) and ROUND's companions CEIL and FLOOR: numbers only.
void truncFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER && argc == 1)
        return sqlite3_result_int64(context, sqlite3_value_int64(argv[0]));
    const double x = sqlite3_value_double(argv[0]);
    const int places = argc > 1 ? int(std::clamp<qint64>(wholeOf(argv[1]), -32, 32)) : 0;
    const double scale = std::pow(10.0, places);
    resultNumber(context, std::trunc(x * scale) / scale);
}

double ceilOf(double x) { return std::ceil(x); }
double floorOf(double x) { return std::floor(x); }

template<double (*F)(double)>
void wholeFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    resultNumber(context, F(sqlite3_value_double(argv[0])));
}

// INITCAP(s): each word's first letter in upper case, the others in lower.
void initcapFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    QString text = textOf(argv[0]);
    bool wordStart = true;
    for (QChar &c : text) {
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = !c.isLetterOrNumber();
    }
    resultText(context, text);
}

// CONCAT(a, b): NULL counts as an empty text, as on a server.
void concatFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    QString text;
    for (int i = 0; i < argc; ++i)
        text += textOf(argv[i]);
    resultText(context, text);
}

const QStringList &monthNames()
{
    static const QStringList names{u"january"_s, u"february"_s, u"march"_s,     u"april"_s,
                                   u"may"_s,     u"june"_s,     u"july"_s,      u"august"_s,
                                   u"september"_s, u"october"_s, u"november"_s, u"december"_s};
    return names;
}

const QStringList &dayNames()
{
    static const QStringList names{u"monday"_s, u"tuesday"_s,  u"wednesday"_s, u"thursday"_s,
                                   u"friday"_s, u"saturday"_s, u"sunday"_s};
    return names;
}

QString capitalised(const QString &word)
{
    return word.left(1).toUpper() + word.mid(1);
}

// A date and time written by a format of the server's date directives
// (%Y %y %m %d %e %H %I %M %S %F[n] %p %b %B %a %A %j %D %R %T %%).
QString formatDateTime(const QDateTime &value, const QString &format)
{
    const QDate d = value.date();
    const QTime t = value.time();
    const auto two = [](int n) { return u"%1"_s.arg(n, 2, 10, QLatin1Char('0')); };
    QString out;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        const QChar directive = format[++i];
        switch (directive.unicode()) {
        case 'Y': out += u"%1"_s.arg(d.year(), 4, 10, QLatin1Char('0')); break;
        case 'y': out += two(d.year() % 100); break;
        case 'm': out += two(d.month()); break;
        case 'd': out += two(d.day()); break;
        case 'e': out += u"%1"_s.arg(d.day(), 2); break;
        case 'H': out += two(t.hour()); break;
        case 'I': out += two(t.hour() % 12 == 0 ? 12 : t.hour() % 12); break;
        case 'M': out += two(t.minute()); break;
        case 'S': out += two(t.second()); break;
        case 'p': out += t.hour() < 12 ? u"AM"_s : u"PM"_s; break;
        case 'b': case 'h': out += capitalised(monthNames()[d.month() - 1].left(3)); break;
        case 'B': out += capitalised(monthNames()[d.month() - 1]); break;
        case 'a': out += capitalised(dayNames()[d.dayOfWeek() - 1].left(3)); break;
        case 'A': out += capitalised(dayNames()[d.dayOfWeek() - 1]); break;
        case 'j': out += u"%1"_s.arg(d.dayOfYear(), 3, 10, QLatin1Char('0')); break;
        case 'D': out += formatDateTime(value, u"%m/%d/%y"_s); break;
        case 'R': out += formatDateTime(value, u"%H:%M"_s); break;
        case 'T': out += formatDateTime(value, u"%H:%M:%S"_s); break;
        case 'F': {
            int digits = 3;
            if (i + 1 < format.size() && format[i + 1].isDigit())
                digits = format[++i].digitValue();
            out += u"%1"_s.arg(t.msec(), 3, 10, QLatin1Char('0')).append(u"00"_s).left(digits);
            break;
        }
        case '%': out += u'%'; break;
        default: out += u'%' + directive; break;
        }
    }
    return out;
}

// Reads `text` by `format`; false when it does not fit.
bool parseDateTime(const QString &text, const QString &format, QDateTime &out)
{
    int year = 1900, month = 1, day = 1, hour = 0, minute = 0, second = 0, msec = 0;
    bool pm = false, twelveHour = false;
    qsizetype at = 0;
    const auto number = [&](int maxDigits, int &into) {
        while (at < text.size() && text[at] == u' ')
            ++at;
        qsizetype end = at;
        while (end < text.size() && end - at < maxDigits && text[end].isDigit())
            ++end;
        if (end == at)
            return false;
        into = text.mid(at, end - at).toInt();
        at = end;
        return true;
    };
    const auto name = [&](const QStringList &names, int &into) {
        for (int n = 0; n < names.size(); ++n) {
            for (const qsizetype length : {names[n].size(), qsizetype(3)}) {
                if (text.mid(at, length).compare(names[n].left(length), Qt::CaseInsensitive) == 0) {
                    into = n + 1;
                    at += length;
                    return true;
                }
            }
        }
        return false;
    };
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 >= format.size()) {
            if (at >= text.size() || text[at] != format[i])
                return false;
            ++at;
            continue;
        }
        const QChar directive = format[++i];
        bool ok = true;
        int ignored = 0;
        switch (directive.unicode()) {
        case 'Y': ok = number(4, year); break;
        case 'y':
            ok = number(2, year);
            year += QDate::currentDate().year() / 100 * 100;
            break;
        case 'm': ok = number(2, month); break;
        case 'd': case 'e': ok = number(2, day); break;
        case 'H': ok = number(2, hour); break;
        case 'I': ok = number(2, hour); twelveHour = true; break;
        case 'M': ok = number(2, minute); break;
        case 'S': ok = number(2, second); break;
        case 'F': {
            int digits = 3;
            if (i + 1 < format.size() && format[i + 1].isDigit())
                digits = format[++i].digitValue();
            const qsizetype from = at;
            int fraction = 0;
            ok = number(std::max(digits, 1), fraction);
            msec = (text.mid(from, at - from).trimmed() + u"000"_s).left(3).toInt();
            break;
        }
        case 'p':
            pm = text.mid(at, 2).compare(u"pm"_s, Qt::CaseInsensitive) == 0;
            ok = pm || text.mid(at, 2).compare(u"am"_s, Qt::CaseInsensitive) == 0;
            at += 2;
            break;
        case 'b': case 'h': case 'B': ok = name(monthNames(), month); break;
        case 'a': case 'A': ok = name(dayNames(), ignored); break;
        case 'j': ok = number(3, ignored); break;
        case '%': ok = at < text.size() && text[at++] == u'%'; break;
        default: ok = false; break;
        }
        if (!ok)
            return false;
    }
    while (at < text.size() && text[at] == u' ')
        ++at;
    if (at != text.size())
        return false;
    if (twelveHour)
        hour = hour % 12 + (pm ? 12 : 0);
    out = QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec));
    return out.isValid();
}

// A number written by a format mask: "#" a digit or a blank, "&" a digit
// or a zero, "," kept between digits, "." the decimal point, "-" and "+"
// the sign, anything else as written.
QString formatNumber(double value, const QString &mask)
{
    const qsizetype point = mask.indexOf(u'.');
    const QString whole = point < 0 ? mask : mask.left(point);
    const QString fraction = point < 0 ? QString() : mask.mid(point + 1);
    const auto isDigitPlace = [](QChar c) { return c == u'#' || c == u'&' || c == u'*'; };
    const int places = int(std::count_if(fraction.begin(), fraction.end(), isDigitPlace));
    const QString digits = QString::number(std::fabs(value), 'f', places);
    const QString intDigits = digits.section(u'.', 0, 0) == u"0"_s ? QString() : digits.section(u'.', 0, 0);
    const QString fracDigits = digits.section(u'.', 1);
    const int wholePlaces = int(std::count_if(whole.begin(), whole.end(), isDigitPlace));
    if (intDigits.size() > wholePlaces)
        return QString(mask.size(), u'*');   // does not fit, as a server shows it
    QString out;
    qsizetype next = intDigits.size() - 1;
    bool started = false;
    for (qsizetype i = whole.size() - 1; i >= 0; --i) {
        const QChar c = whole[i];
        if (isDigitPlace(c)) {
            if (next >= 0) {
                out.prepend(intDigits[next--]);
                started = true;
            } else {
                out.prepend(c == u'&' ? u'0' : c == u'*' ? u'*' : u' ');
            }
        } else if (c == u',') {
            out.prepend(next >= 0 ? u',' : u' ');
        } else if (c == u'-' || c == u'+') {
            out.prepend(value < 0 ? u'-' : c == u'+' ? u'+' : u' ');
        } else {
            out.prepend(c);
        }
    }
    Q_UNUSED(started);
    if (point >= 0) {
        out += u'.';
        qsizetype f = 0;
        for (QChar c : fraction)
            out += isDigitPlace(c) ? (f < fracDigits.size() ? fracDigits[f++] : u'0') : c;
    }
    if (value < 0 && !mask.contains(u'-') && !mask.contains(u'+'))
        out.prepend(u'-');
    return out;
}

// TO_CHAR(value [, format]): a DATETIME by the date directives, a number
// by a mask; a DATE comes as quoll_date_char (the statement knows which
// values are DATEs, the numbers do not).
void toCharFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (isNull(argv[0]) || (argc > 1 && isNull(argv[1])))
        return sqlite3_result_null(context);
    const QString format = argc > 1 ? textOf(argv[1]) : QString();
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        if (format.isEmpty())
            return resultText(context, textOf(argv[0]));
        return resultText(context, formatNumber(sqlite3_value_double(argv[0]), format));
    }
    const QString text = textOf(argv[0]);
    QDateTime value;
    bool timeOnly = false;
    if (format.isEmpty() || !readDateTime(text.trimmed(), value, timeOnly))
        return resultText(context, text);
    resultText(context, formatDateTime(value, format));
}

void dateCharFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (isNull(argv[0]) || (argc > 1 && isNull(argv[1])))
        return sqlite3_result_null(context);
    const std::optional<qint64> days = dayOf(argv[0]);
    if (!days)
        return resultInformixError(context, InformixCode::StringToDateFailed);
    if (argc == 1) {
        char text[16];
        const int length = writeDate(*days, text);
        if (length < 0)
            return resultInformixError(context, InformixCode::StringToDateFailed);
        return resultText(context, QString::fromLatin1(text, length));
    }
    resultText(context, formatDateTime(QDateTime(dateOfDay(*days), QTime(0, 0)), textOf(argv[1])));
}

// TO_DATE(text, format): a DATETIME YEAR TO FRACTION(5), which a DATE
// column takes as its date.
void toDateFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (isNull(argv[0]) || (argc > 1 && isNull(argv[1])))
        return sqlite3_result_null(context);
    const QString text = textOf(argv[0]).trimmed();
    QDateTime value;
    if (argc == 1) {
        const std::optional<qint64> days = dayOf(argv[0]);
        if (!days)
            return resultInformixError(context, InformixCode::StringToDateFailed);
        value = QDateTime(dateOfDay(*days), QTime(0, 0));
    } else if (!parseDateTime(text, textOf(argv[1]), value)) {
        return resultInformixError(context, InformixCode::StringToDateFailed);
    }
    resultText(context, value.toString(u"yyyy-MM-dd HH:mm:ss.zzz"_s) + u"00"_s);
}

// CARDINALITY counts a collection's elements; the embedded server keeps
// no collections, so no value has one.
void cardinalityFunction(sqlite3_context *context, int, sqlite3_value **)
{
    resultInformixError(context, InformixCode::NotSupported, u"collections (CARDINALITY)"_s);
}

} // namespace

void registerStringFunctions(sqlite3 *db)
{
    const auto pure = [db](const char *name, int args, void (*f)(sqlite3_context *, int, sqlite3_value **)) {
        sqlite3_create_function_v2(db, name, args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, f, nullptr, nullptr,
                                   nullptr);
    };
    for (int args : {2, 3}) {
        pure("lpad", args, padFunction<true>);
        pure("rpad", args, padFunction<false>);
    }
    // INSTR(s, sub) is the storage engine's own.
    pure("instr", 3, instrFunction);
    pure("instr", 4, instrFunction);
    pure("replace", 2, replaceFunction);
    pure("mod", 2, modFunction);
    pure("trunc", 1, truncFunction);
    pure("trunc", 2, truncFunction);
    pure("ceil", 1, wholeFunction<ceilOf>);
    pure("floor", 1, wholeFunction<floorOf>);
    pure("initcap", 1, initcapFunction);
    pure("concat", 2, concatFunction);
    pure("to_char", 1, toCharFunction);
    pure("to_char", 2, toCharFunction);
    pure("quoll_date_char", 1, dateCharFunction);
    pure("quoll_date_char", 2, dateCharFunction);
    pure("to_date", 1, toDateFunction);
    pure("to_date", 2, toDateFunction);
    pure("cardinality", 1, cardinalityFunction);
}

} // namespace quoll::connection::embedded
