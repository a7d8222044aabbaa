#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <optional>

namespace quoll::connection {

// The text form of dates, as DBDATE spells it: the order of month, day and
// year, two or four year digits and the separator ("MDY4/" gives
// 12/31/2024, "DMY2-" gives 31-12-24, "Y4MD0" gives 20241231).
struct DateFormat
{
    enum class Order { MDY, DMY, YMD, YDM };
    Order order = Order::MDY;
    int yearDigits = 4;
    QChar separator = u'/';   // null for none

    // The form DBDATE names; MDY4/ when it is empty or not understood, and
    // "/" when its separator is missing or not one of "/-.0".
    static DateFormat fromDbdate(QStringView dbdate);
    // The client's form: $DBDATE, read once.
    static const DateFormat &client();
};

// DATE values are kept as Informix keeps them: the number of days since
// 31 December 1899 (so 1 is 1 January 1900). Day numbers compare, order
// and subtract as dates do, and date ± integer is a date.
qint64 dayNumber(const QDate &date);
QDate dateOfDay(qint64 days);

// The text a DATE column stores for `date` (its day number); what the
// catalog writes into its "created" columns.
QString storedDate(const QDate &date);

// The day number of a date written by a user: in `format`, or in the ISO
// form yyyy-mm-dd; nothing when the text is not a valid date.
std::optional<qint64> parseDateText(QStringView text, const DateFormat &format = DateFormat::client());

// The date of `days` written in `format` into `out` (at least 12 chars);
// the length written, or -1 for a day outside years 1-9999.
int writeDate(qint64 days, char *out, const DateFormat &format = DateFormat::client());

} // namespace quoll::connection
