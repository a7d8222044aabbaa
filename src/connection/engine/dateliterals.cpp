#include "connection/engine/dateliterals.h"

#include <QStringList>

namespace quoll::connection {

namespace {

const QDate &dayZero()
{
    static const QDate zero(1899, 12, 31);
    return zero;
}

// A run of 1 to `maxDigits` digits as a number; -1 otherwise.
int number(QStringView digits, int maxDigits)
{
    if (digits.isEmpty() || digits.size() > maxDigits)
        return -1;
    int value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// Two-digit years are of the current century.
int fullYear(int year, qsizetype digits)
{
    if (digits > 2)
        return year;
    return QDate::currentDate().year() / 100 * 100 + year;
}

} // namespace

DateFormat DateFormat::fromDbdate(QStringView dbdate)
{
    DateFormat f;
    const QString text = dbdate.trimmed().toString().toUpper();
    // The fields in order: M, D, and Y2 or Y4.
    QString order;
    int yearDigits = 0;
    qsizetype i = 0;
    while (i < text.size() && order.size() < 3) {
        const QChar c = text[i];
        if (c == u'M' || c == u'D') {
            order += c;
            ++i;
        } else if (c == u'Y' && i + 1 < text.size() && (text[i + 1] == u'2' || text[i + 1] == u'4')) {
            order += c;
            yearDigits = text[i + 1].digitValue();
            i += 2;
        } else {
            break;
        }
    }
    static const QStringList orders{QStringLiteral("MDY"), QStringLiteral("DMY"), QStringLiteral("YMD"), QStringLiteral("YDM")};
    const qsizetype which = orders.indexOf(order);
    if (which < 0)
        return f;
    f.order = Order(which);
    f.yearDigits = yearDigits;
    const QChar separator = i < text.size() ? text[i] : QChar();
    if (separator == u'0')
        f.separator = QChar();
    else if (separator == u'-' || separator == u'.' || separator == u'/')
        f.separator = separator;
    return f;
}

const DateFormat &DateFormat::client()
{
    static const DateFormat format = fromDbdate(qEnvironmentVariable("DBDATE"));
    return format;
}

qint64 dayNumber(const QDate &date)
{
    return dayZero().daysTo(date);
}

QDate dateOfDay(qint64 days)
{
    return dayZero().addDays(days);
}

QString storedDate(const QDate &date)
{
    return QString::number(dayNumber(date));
}

std::optional<qint64> parseDateText(QStringView text, const DateFormat &format)
{
    const QStringView t = text.trimmed();
    int year = -1, month = -1, day = -1;
    qsizetype yearLength = 0;
    // yyyy-mm-dd, the form of the ISO standard and of DATETIME values.
    if (t.size() == 10 && t[4] == u'-' && t[7] == u'-') {
        year = number(t.mid(0, 4), 4);
        month = number(t.mid(5, 2), 2);
        day = number(t.mid(8, 2), 2);
        yearLength = 4;
    }
    if (year < 0 || month < 0 || day < 0) {
        QStringView parts[3];
        if (!format.separator.isNull()) {
            const QList<QStringView> split = t.split(format.separator);
            if (split.size() != 3)
                return std::nullopt;
            for (int i = 0; i < 3; ++i)
                parts[i] = split[i];
        } else {
            // Fixed widths: two digits for month and day.
            const qsizetype yearWidth = t.size() - 4;
            if (yearWidth != 2 && yearWidth != 4)
                return std::nullopt;
            const bool yearFirst = format.order == DateFormat::Order::YMD || format.order == DateFormat::Order::YDM;
            const qsizetype widths[3] = {yearFirst ? yearWidth : 2, 2, yearFirst ? 2 : yearWidth};
            qsizetype at = 0;
            for (int i = 0; i < 3; ++i) {
                parts[i] = t.mid(at, widths[i]);
                at += widths[i];
            }
        }
        QStringView y, m, d;
        switch (format.order) {
        case DateFormat::Order::MDY: m = parts[0]; d = parts[1]; y = parts[2]; break;
        case DateFormat::Order::DMY: d = parts[0]; m = parts[1]; y = parts[2]; break;
        case DateFormat::Order::YMD: y = parts[0]; m = parts[1]; d = parts[2]; break;
        case DateFormat::Order::YDM: y = parts[0]; d = parts[1]; m = parts[2]; break;
        }
        year = number(y, 4);
        month = number(m, 2);
        day = number(d, 2);
        yearLength = y.size();
    }
    if (year < 0 || month < 0 || day < 0)
        return std::nullopt;
    const QDate date(fullYear(year, yearLength), month, day);
    if (!date.isValid() || date.year() < 1)
        return std::nullopt;
    return dayNumber(date);
}

int writeDate(qint64 days, char *out, const DateFormat &format)
{
    const QDate date = dateOfDay(days);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return -1;
    int at = 0;
    const auto put = [&](int value, int digits) {
        for (int p = digits - 1; p >= 0; --p) {
            int v = value;
            for (int k = 0; k < p; ++k)
                v /= 10;
            out[at++] = char('0' + v % 10);
        }
    };
    const auto field = [&](char which) {
        if (which == 'M')
            put(date.month(), 2);
        else if (which == 'D')
            put(date.day(), 2);
        else
            put(format.yearDigits == 2 ? date.year() % 100 : date.year(), format.yearDigits);
    };
    const char *order = format.order == DateFormat::Order::MDY   ? "MDY"
                        : format.order == DateFormat::Order::DMY ? "DMY"
                        : format.order == DateFormat::Order::YMD ? "YMD"
                                                                 : "YDM";
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && !format.separator.isNull())
            out[at++] = char(format.separator.unicode());
        field(order[i]);
    }
    return at;
}

} // namespace quoll::connection
