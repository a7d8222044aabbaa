#include "connection/embedded/runtime/textforms.h"

#include "connection/engine/dateliterals.h"

#include <QDate>
#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// Numbers in a type's parentheses: "DECIMAL(8,2)" gives 8 and 2.
void typeArguments(const QString &declared, int &first, int &second)
{
    static const QRegularExpression args(u"\\(\\s*(\\d+)\\s*(?:,\\s*(\\d+)\\s*)?\\)"_s);
    const QRegularExpressionMatch m = args.match(declared);
    first = m.hasMatch() ? m.captured(1).toInt() : -1;
    second = m.hasMatch() && m.hasCaptured(2) ? m.captured(2).toInt() : -1;
}

// Characters of "yyyy-mm-dd hh:mi:ss.fffff" that a DATETIME qualifier's
// last field keeps.
int dateTimeLength(const QString &declared)
{
    static const QRegularExpression last(u"\\bto\\s+(year|month|day|hour|minute|second|fraction)(?:\\s*\\(\\s*(\\d)\\s*\\))?"_s,
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = last.match(declared);
    if (!m.hasMatch())
        return 0;
    const QString field = m.captured(1).toLower();
    if (field == u"year"_s) return 4;
    if (field == u"month"_s) return 7;
    if (field == u"day"_s) return 10;
    if (field == u"hour"_s) return 13;
    if (field == u"minute"_s) return 16;
    if (field == u"second"_s) return 19;
    const int digits = m.hasCaptured(2) ? m.captured(2).toInt() : 3;
    return 20 + std::clamp(digits, 1, 5);
}

} // namespace

void describeColumn(const QString &declared, int storageClass, FieldDesc &desc, ColumnForm &form)
{
    // Types the storage engine cannot parse are kept as quoted names.
    QString type = declared.trimmed().toUpper();
    if (type.size() >= 2 && (type.front() == u'"' || type.front() == u'\'') && type.back() == type.front())
        type = type.mid(1, type.size() - 2).trimmed();
    const QString base = type.section(u'(', 0, 0).section(u' ', 0, 0).trimmed();
    int first = -1, second = -1;
    typeArguments(type, first, second);
    form = {};
    desc.scale = 0;

    if (base.isEmpty()) {
        switch (storageClass) {
        case 1: desc.type = FieldType::LargeInt; desc.size = 8; break;
        case 2: desc.type = FieldType::Float; desc.size = 8; form.kind = ColumnForm::Kind::Float; break;
        case 4: desc.type = FieldType::Blob; desc.size = 0; break;
        default: desc.type = FieldType::String; desc.size = 255; break;
        }
        return;
    }
    if (base == u"CHAR"_s || base == u"CHARACTER"_s || base == u"NCHAR"_s) {
        desc.type = FieldType::FixedString;
        desc.size = first > 0 ? first : 1;
    } else if (base == u"VARCHAR"_s || base == u"NVARCHAR"_s) {
        desc.type = FieldType::String;
        desc.size = first > 0 ? first : 1;
    } else if (base == u"LVARCHAR"_s) {
        desc.type = first > 0 && first <= 255 ? FieldType::String : FieldType::Memo;
        desc.size = first > 0 ? first : 2048;
    } else if (base == u"TEXT"_s || base == u"CLOB"_s) {
        desc.type = FieldType::Memo;
    } else if (base == u"BYTE"_s || base == u"BLOB"_s) {
        desc.type = FieldType::Blob;
    } else if (base == u"SMALLINT"_s) {
        desc.type = FieldType::SmallInt;
        desc.size = 2;
    } else if (base == u"INTEGER"_s || base == u"INT"_s) {
        desc.type = FieldType::Integer;
        desc.size = 4;
    } else if (base == u"INT8"_s || base == u"BIGINT"_s) {
        desc.type = FieldType::LargeInt;
        desc.size = 8;
    } else if (base == u"SERIAL"_s || base == u"SERIAL8"_s || base == u"BIGSERIAL"_s) {
        desc.type = FieldType::AutoInc;
        desc.size = base == u"SERIAL"_s ? 4 : 8;
    } else if (base == u"FLOAT"_s || base == u"DOUBLE"_s || base == u"SMALLFLOAT"_s || base == u"REAL"_s) {
        desc.type = FieldType::Float;
        desc.size = 8;
        form.kind = ColumnForm::Kind::Float;
    } else if (base == u"DECIMAL"_s || base == u"DEC"_s || base == u"NUMERIC"_s || base == u"MONEY"_s) {
        const bool money = base == u"MONEY"_s;
        desc.type = money ? FieldType::Currency : FieldType::BCD;
        desc.size = first > 0 ? first : 16;
        // DECIMAL(p) floats; MONEY(p) has two decimals.
        desc.scale = second >= 0 ? second : (money ? 2 : -1);
        form.kind = ColumnForm::Kind::Decimal;
        form.scale = desc.scale;
        if (desc.scale < 0)
            desc.scale = 0;
    } else if (base == u"DATE"_s) {
        desc.type = FieldType::Date;
        desc.size = 4;
        form.kind = ColumnForm::Kind::Date;
    } else if (base == u"DATETIME"_s) {
        const bool timeOnly = type.contains(QRegularExpression(u"^DATETIME\\s+(HOUR|MINUTE|SECOND|FRACTION)"_s));
        desc.type = timeOnly ? FieldType::Time : FieldType::DateTime;
        desc.size = 8;
        form.kind = ColumnForm::Kind::DateTime;
        form.dateTimeChars = dateTimeLength(type);
    } else if (base == u"BOOLEAN"_s) {
        desc.type = FieldType::Boolean;
        desc.size = 1;
        form.kind = ColumnForm::Kind::Boolean;
    } else if (base == u"INTERVAL"_s) {
        desc.type = FieldType::String;
        desc.size = 32;
    } else {
        desc.type = FieldType::Unknown;
    }
}

int formatDate(const char *stored, std::size_t length, char *out)
{
    const auto digits = [stored](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i) {
            if (stored[i] < '0' || stored[i] > '9')
                return -1;
            value = value * 10 + (stored[i] - '0');
        }
        return value;
    };
    qint64 days = 0;
    if (length == 10 && stored[4] == '-' && stored[7] == '-') {
        // ISO text, as databases of earlier versions hold.
        const QDate date(digits(0, 4), digits(5, 2), digits(8, 2));
        if (!date.isValid())
            return -1;
        days = dayNumber(date);
    } else {
        // An Informix day number: days since 31 December 1899.
        char *end = nullptr;
        const std::string text(stored, length);
        days = std::strtol(text.c_str(), &end, 10);
        if (!end || *end != '\0' || text.empty())
            return -1;
    }
    return writeDate(days, out);
}

int formatDecimal(double value, int scale, char *out)
{
    if (scale < 0)
        return formatFloat(value, out);
    const auto result = std::to_chars(out, out + FormBufferSize, value, std::chars_format::fixed, std::min(scale, 32));
    return result.ec == std::errc() ? int(result.ptr - out) : -1;
}

int formatScaledInteger(long long value, int scale, char *out)
{
    char *end = std::to_chars(out, out + FormBufferSize - 40, value).ptr;
    if (scale > 0) {
        *end++ = '.';
        for (int i = 0; i < std::min(scale, 32); ++i)
            *end++ = '0';
    }
    return int(end - out);
}

int formatFloat(double value, char *out)
{
    const auto result = std::to_chars(out, out + FormBufferSize, value);
    return result.ec == std::errc() ? int(result.ptr - out) : -1;
}

} // namespace quoll::connection::embedded
