#include "catalog/coltypes.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

namespace {

constexpr std::array<const char *, 26> TypeNames = {
    "CHAR",     "SMALLINT", "INTEGER",  "FLOAT",         "SMALLFLOAT", "DECIMAL", "SERIAL",
    "DATE",     "MONEY",    "NULL",     "DATETIME",      "BYTE",       "TEXT",    "VARCHAR",
    "INTERVAL", "NCHAR",    "NVCHAR",   "INT8",          "SERIAL8",    "SET",     "MULTISET",
    "LIST",     "rOW (unnamed)", "COLLECTION", "ROWREF", "rOW (unnamed)",
};

constexpr std::array<const char *, 16> QualifierNames = {
    "YEAR", "NA",     "MONTH",       "NA",          "DAY",         "NA",          "HOUR",        "NA",
    "MINUTE", "NA",   "SECOND",      "FRACTION(1)", "FRACTION(2)", "FRACTION(3)", "FRACTION(4)", "FRACTION(5)",
};

constexpr int Decimal = 5;
constexpr int Money = 8;
constexpr int DateTime = 10;
constexpr int Interval = 14;

QString qualifierName(int code)
{
    return QString::fromLatin1(QualifierNames[size_t(code & 15)]);
}

} // namespace

QString ColTypeName(int code)
{
    if (code >= 0 && code < int(TypeNames.size()))
        return QString::fromLatin1(TypeNames[size_t(code)]);
    switch (code) {
    case 40: return u"Variable-length opaque type"_s;
    case 41: return u"Fixed-length opaque type"_s;
    case 4118: return u"Named row type"_s;
    default: return u"UNKNOWN"_s;
    }
}

QString ColSizeText(int code, int collength)
{
    switch (code) {
    case Decimal:
    case Money:
        return QString::number(collength / 256) + u',' + QString::number(collength % 256);
    case DateTime:
    case Interval: {
        const int qualifier = collength % 256;
        const int start = qualifier / 16;
        const int end = collength % 16;
        const int digits = collength / 256;
        return qualifierName(start) + u'(' + QString::number(digits + start - end) + u") : "_s + qualifierName(end);
    }
    default:
        return QString::number(collength);
    }
}

} // namespace quoll::catalog
