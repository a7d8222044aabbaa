#pragma once

#include "connection/engine/fieldtype.h"

#include <QByteArray>
#include <QString>

namespace quoll::connection::embedded {

// How a result column's stored values become the text an Informix user
// sees: dates in the client's DBDATE form (month/day/four-digit year
// by default), decimals with exactly their
// scale's digits, booleans as t or f; everything else as stored.
struct ColumnForm
{
    enum class Kind { AsStored, Date, DateTime, Decimal, Float, Boolean };
    Kind kind = Kind::AsStored;
    int scale = -1;          // Decimal: digits after the point; -1 floating
    int dateTimeChars = 0;   // DateTime: characters of the ISO text to keep, 0 all
};

// The field description and text form of a column declared with the
// Informix type `declared` ("DECIMAL(8,2)", "DATETIME YEAR TO SECOND", ...).
// An empty declaration (an expression) takes the storage class of its first
// value: 1 integer, 2 float, 3 text, 4 blob, 5 null.
void describeColumn(const QString &declared, int storageClass, FieldDesc &desc, ColumnForm &form);

// Text forms of stored values, written into `out` (at least FormBufferSize
// characters); each returns the length written, or -1 when the stored value
// is not of the expected shape (it is then shown as stored).
inline constexpr int FormBufferSize = 400;
int formatDate(const char *stored, std::size_t length, char *out);   // ISO text or a day number
int formatDecimal(double value, int scale, char *out);
int formatFloat(double value, char *out);
// An integer, with `scale` zero digits after a point when scale > 0.
int formatScaledInteger(long long value, int scale, char *out);

} // namespace quoll::connection::embedded
