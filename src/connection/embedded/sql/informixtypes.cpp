#include "connection/embedded/sql/informixtypes.h"

#include "connection/embedded/sql/statementtokens.h"

#include <QList>

#include <algorithm>

#include <limits>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// syscolumns.coltype base codes.
enum TypeCode {
    Char = 0, SmallInt = 1, Integer = 2, Float = 3, SmallFloat = 4, Decimal = 5, Serial = 6,
    Date = 7, Money = 8, DateTime = 10, Byte = 11, Text = 12, VarChar = 13, Interval = 14,
    NChar = 15, NVarChar = 16, Int8 = 17, Serial8 = 18, LVarChar = 40, Extended = 41,
    BigInt = 52, BigSerial = 53,
};

// syscolumns.extended_id of the built-in types that have one.
enum ExtendedId { LVarCharId = 1, BooleanId = 5, BlobId = 10, ClobId = 11 };

constexpr int NotNullFlag = 256;
constexpr int FloatingScale = 255;   // DECIMAL(p) keeps this as its scale
constexpr int FirstFraction = 11;    // FRACTION(n) is 10 + n
constexpr int MaxCharLength = 32767; // collength is a SMALLINT
constexpr int MaxLVarCharLength = 32739;
constexpr int MaxPrecision = 32;

// Types whose declaration is one word and whose length is fixed.
struct FixedType
{
    QLatin1StringView name;
    int coltype;
    int collength;
    int extendedId;
};

// BLOB and CLOB lengths are assumed to be the 72-byte large-object
// descriptor the row holds; the other lengths are the stored value sizes.
constexpr FixedType fixedTypes[] = {
    {"SMALLINT"_L1, SmallInt, 2, 0},  {"INTEGER"_L1, Integer, 4, 0},
    {"INT"_L1, Integer, 4, 0},        {"FLOAT"_L1, Float, 8, 0},
    {"SMALLFLOAT"_L1, SmallFloat, 4, 0}, {"REAL"_L1, SmallFloat, 4, 0},
    {"DATE"_L1, Date, 4, 0},          {"BYTE"_L1, Byte, 56, 0},
    {"TEXT"_L1, Text, 56, 0},         {"INT8"_L1, Int8, 10, 0},
    {"BIGINT"_L1, BigInt, 8, 0},      {"BOOLEAN"_L1, Extended, 1, BooleanId},
    {"BLOB"_L1, Extended, 72, BlobId}, {"CLOB"_L1, Extended, 72, ClobId},
};

struct SerialType
{
    QLatin1StringView name;
    int coltype;
    int collength;
    qint64 maxStart;
};

constexpr SerialType serialTypes[] = {
    {"SERIAL"_L1, Serial, 4, std::numeric_limits<qint32>::max()},
    {"SERIAL8"_L1, Serial8, 10, std::numeric_limits<qint64>::max()},
    {"BIGSERIAL"_L1, BigSerial, 8, std::numeric_limits<qint64>::max()},
};

// DATETIME and INTERVAL field codes below FRACTION.
struct FieldName
{
    QLatin1StringView name;
    int code;
};

constexpr FieldName fieldNames[] = {
    {"YEAR"_L1, 0}, {"MONTH"_L1, 2}, {"DAY"_L1, 4}, {"HOUR"_L1, 6}, {"MINUTE"_L1, 8}, {"SECOND"_L1, 10},
};

// Thrown inside the reader and turned into ColumnTypeCode::error at the boundary.
struct Failure
{
    QString message;
};

[[noreturn]] void fail(const QString &message)
{
    throw Failure{message};
}

// Walks the tokens of one declaration; every take/expect fails with a
// message naming what it found instead.
class Reader
{
public:
    // Only words, whole numbers, parentheses and commas make a declaration.
    explicit Reader(QStringView text) : m_s(text)
    {
        for (const SqlToken &t : m_s.all()) {
            if (t.isBlank() || t.kind == SqlToken::Kind::Word)
                continue;
            const QStringView piece = tokenText(text, t);
            const auto odd = std::find_if(piece.begin(), piece.end(), [&](QChar c) {
                return t.kind == SqlToken::Kind::Number ? !c.isDigit() || c.unicode() > 127
                                                        : c != u'(' && c != u')' && c != u',';
            });
            if (odd != piece.end())
                fail(u"unexpected character '%1'"_s.arg(*odd));
        }
    }

    bool atEnd() const { return m_at >= m_s.size(); }

    bool takeWord(QLatin1StringView word)
    {
        if (!m_s.isWord(m_at, word))
            return false;
        ++m_at;
        return true;
    }

    bool takeSymbol(QChar symbol)
    {
        if (!m_s.isSymbol(m_at, symbol))
            return false;
        ++m_at;
        return true;
    }

    // The next word, in upper case.
    QString word(const QString &expected)
    {
        if (!m_s.isWord(m_at))
            fail(u"expected %1, found %2"_s.arg(expected, found()));
        return m_s.text(m_at++).toString().toUpper();
    }

    qint64 number(const QString &what)
    {
        if (!m_s.isNumber(m_at))
            fail(u"expected a number for %1, found %2"_s.arg(what, found()));
        bool ok = false;
        const qint64 value = m_s.text(m_at).toLongLong(&ok);
        if (!ok)
            fail(u"%1 %2 is too large"_s.arg(what, m_s.text(m_at)));
        ++m_at;
        return value;
    }

    void expectWord(QLatin1StringView word)
    {
        if (!takeWord(word))
            fail(u"expected %1, found %2"_s.arg(word, found()));
    }

    void expectSymbol(QChar symbol)
    {
        if (!takeSymbol(symbol))
            fail(u"expected '%1', found %2"_s.arg(symbol).arg(found()));
    }

    void expectEnd() const
    {
        if (!atEnd())
            fail(u"unexpected %1 after the type"_s.arg(found()));
    }

private:
    QString found() const
    {
        if (atEnd())
            return u"the end"_s;
        const QString text = m_s.text(m_at).toString();
        return u"'%1'"_s.arg(m_s.isWord(m_at) ? text.toUpper() : text);
    }

    StatementTokens m_s;
    size_t m_at = 0;
};

// The numbers of an optional "(a, b, ...)" after a word, at most `most`.
QList<qint64> arguments(Reader &r, const QString &what, int most)
{
    QList<qint64> values;
    if (!r.takeSymbol(u'('))
        return values;
    do
        values.append(r.number(what));
    while (values.size() < most && r.takeSymbol(u','));
    r.expectSymbol(u')');
    return values;
}

int checked(qint64 value, qint64 low, qint64 high, const QString &what)
{
    if (value < low || value > high)
        fail(u"%1 must be from %2 to %3"_s.arg(what).arg(low).arg(high));
    return int(value);
}

ColumnTypeCode code(int coltype, int collength, int extendedId = 0)
{
    return {coltype, collength, extendedId, true, QString()};
}

// CHAR, NCHAR and LVARCHAR: an optional length, which is the collength.
ColumnTypeCode readLength(Reader &r, int coltype, const QString &name, int fallback, int max, int extendedId = 0)
{
    const QList<qint64> args = arguments(r, name, 1);
    return code(coltype, args.isEmpty() ? fallback : checked(args[0], 1, max, name + u" length"_s), extendedId);
}

// VARCHAR(max[,min]) keeps min * 256 + max as a signed 16-bit value.
ColumnTypeCode readVarChar(Reader &r, int coltype, const QString &name)
{
    const QList<qint64> args = arguments(r, name, 2);
    if (args.isEmpty())
        fail(name + u" needs a maximum length"_s);
    const int max = checked(args[0], 1, 255, name + u" maximum length"_s);
    const int min = args.size() > 1 ? checked(args[1], 0, max, name + u" minimum length"_s) : 0;
    return code(coltype, qint16(min * 256 + max));
}

// DECIMAL and MONEY keep precision * 256 + scale; `defaultScale` applies
// when only the precision is given (FloatingScale for a floating DECIMAL).
ColumnTypeCode readDecimal(Reader &r, int coltype, const QString &name, int defaultScale)
{
    const QList<qint64> args = arguments(r, name, 2);
    const int precision = args.isEmpty() ? 16 : checked(args[0], 1, MaxPrecision, name + u" precision"_s);
    const bool floating = args.size() < 2 && defaultScale == FloatingScale;
    const qint64 scale = args.size() > 1 ? args[1] : defaultScale;
    if (!floating && scale > precision)
        fail(u"%1 scale %2 exceeds its precision %3"_s.arg(name).arg(scale).arg(precision));
    return code(coltype, precision * 256 + int(scale));
}

struct Field
{
    QString name;
    int code = -1; // FRACTION reads as FRACTION(3)
    bool hasDigits = false;
    qint64 digits = 0;
};

Field readField(Reader &r, const QString &type)
{
    Field f;
    f.name = r.word(u"a field of %1"_s.arg(type));
    for (const FieldName &n : fieldNames) {
        if (f.name == n.name)
            f.code = n.code;
    }
    if (f.name == "FRACTION"_L1)
        f.code = 13;
    if (f.code < 0)
        fail(u"unknown %1 field '%2'"_s.arg(type, f.name));
    const QList<qint64> args = arguments(r, f.name, 1);
    f.hasDigits = !args.isEmpty();
    f.digits = f.hasDigits ? args[0] : 0;
    return f;
}

// The field after TO: only FRACTION takes a number there.
int readLastField(Reader &r, const QString &type)
{
    const Field f = readField(r, type);
    if (f.name != "FRACTION"_L1) {
        if (f.hasDigits)
            fail(u"%1 %2 after TO takes no precision"_s.arg(type, f.name));
        return f.code;
    }
    return f.hasDigits ? 10 + checked(f.digits, 1, 5, u"FRACTION digits"_s) : f.code;
}

// collength of a DATETIME or INTERVAL, after checking the field order.
int qualifier(const QString &type, const Field &first, int last, int length)
{
    if (first.code > last)
        fail(u"%1 first field %2 comes after the last field"_s.arg(type, first.name));
    return length * 256 + first.code * 16 + last;
}

ColumnTypeCode readDateTime(Reader &r)
{
    const QString type = u"DATETIME"_s;
    const Field first = readField(r, type);
    if (first.name == "FRACTION"_L1)
        fail(u"DATETIME cannot start with FRACTION"_s);
    if (first.hasDigits)
        fail(u"DATETIME %1 takes no precision"_s.arg(first.name));
    r.expectWord("TO"_L1);
    const int last = readLastField(r, type);
    return code(DateTime, qualifier(type, first, last, last - first.code + (first.code == 0 ? 4 : 2)));
}

// INTERVAL's length counts the declared leading precision instead of the
// first field's natural width.
ColumnTypeCode readInterval(Reader &r)
{
    const QString type = u"INTERVAL"_s;
    Field first = readField(r, type);
    int precision = first.code == 0 ? 4 : 2;
    const bool fraction = first.name == "FRACTION"_L1;
    if (fraction && first.hasDigits)
        fail(u"INTERVAL may start with FRACTION only as FRACTION TO FRACTION(n)"_s);
    if (fraction)
        first.code = FirstFraction;
    else if (first.hasDigits)
        precision = checked(first.digits, 1, 9, u"INTERVAL %1 precision"_s.arg(first.name));
    r.expectWord("TO"_L1);
    const int last = readLastField(r, type);
    if (fraction && last < FirstFraction)
        fail(u"INTERVAL may start with FRACTION only as FRACTION TO FRACTION(n)"_s);
    return code(Interval, qualifier(type, first, last, last - first.code + precision));
}

ColumnTypeCode readType(Reader &r)
{
    const QString name = r.word(u"a type name"_s);
    for (const FixedType &f : fixedTypes) {
        if (name == f.name)
            return code(f.coltype, f.collength, f.extendedId);
    }
    for (const SerialType &s : serialTypes) {
        if (name == s.name) {
            const QList<qint64> args = arguments(r, name, 1);
            if (!args.isEmpty())
                checked(args[0], 1, s.maxStart, name + u" start value"_s);
            return code(s.coltype, s.collength);
        }
    }
    if (name == "DOUBLE"_L1) {
        r.expectWord("PRECISION"_L1);
        return code(Float, 8);
    }
    if (name == "CHARACTER"_L1 && r.takeWord("VARYING"_L1))
        return readVarChar(r, VarChar, u"CHARACTER VARYING"_s);
    if (name == "CHAR"_L1 || name == "CHARACTER"_L1)
        return readLength(r, Char, name, 1, MaxCharLength);
    if (name == "NCHAR"_L1)
        return readLength(r, NChar, name, 1, MaxCharLength);
    if (name == "VARCHAR"_L1)
        return readVarChar(r, VarChar, name);
    if (name == "NVARCHAR"_L1)
        return readVarChar(r, NVarChar, name);
    if (name == "LVARCHAR"_L1)
        return readLength(r, LVarChar, name, 2048, MaxLVarCharLength, LVarCharId);
    if (name == "DECIMAL"_L1 || name == "DEC"_L1 || name == "NUMERIC"_L1)
        return readDecimal(r, Decimal, name, FloatingScale);
    if (name == "MONEY"_L1)
        return readDecimal(r, Money, name, 2);
    if (name == "DATETIME"_L1)
        return readDateTime(r);
    if (name == "INTERVAL"_L1)
        return readInterval(r);
    fail(u"unknown type '%1'"_s.arg(name));
}

QString fieldText(int code)
{
    for (const FieldName &n : fieldNames) {
        if (n.code == code)
            return n.name;
    }
    if (code >= FirstFraction && code <= 15)
        return u"FRACTION(%1)"_s.arg(code - 10);
    return QString();
}

// "YEAR TO FRACTION(3)", "DAY(3) TO MINUTE": the leading precision only
// when it differs from the default.
QString qualifierText(int collength, bool interval)
{
    const int length = collength >> 8;
    const int first = (collength >> 4) & 0xF;
    const int last = collength & 0xF;
    if (interval && first == FirstFraction)
        return u"FRACTION TO "_s + fieldText(last);
    QString from = fieldText(first);
    const int precision = length - (last - first);
    if (interval && precision != (first == 0 ? 4 : 2))
        from += u"(%1)"_s.arg(precision);
    return from + u" TO "_s + fieldText(last);
}

// A declaration for the numbers, not yet checked against them.
QString candidateDeclaration(int base, int collength, int extendedId)
{
    const int high = (collength >> 8) & 0xFF;
    const int low = collength & 0xFF;
    const QString varchar = high == 0 ? u"(%1)"_s.arg(low) : u"(%1,%2)"_s.arg(low).arg(high);
    switch (base) {
    case Char: return u"CHAR(%1)"_s.arg(collength);
    case NChar: return u"NCHAR(%1)"_s.arg(collength);
    case VarChar: return u"VARCHAR"_s + varchar;
    case NVarChar: return u"NVARCHAR"_s + varchar;
    case Decimal:
        return low == FloatingScale ? u"DECIMAL(%1)"_s.arg(high) : u"DECIMAL(%1,%2)"_s.arg(high).arg(low);
    case Money: return u"MONEY(%1,%2)"_s.arg(high).arg(low);
    case DateTime: return u"DATETIME "_s + qualifierText(collength, false);
    case Interval: return u"INTERVAL "_s + qualifierText(collength, true);
    case LVarChar: return u"LVARCHAR(%1)"_s.arg(collength);
    case Serial: return u"SERIAL"_s;
    case Serial8: return u"SERIAL8"_s;
    case BigSerial: return u"BIGSERIAL"_s;
    default: break;
    }
    // The first spelling in the table is the normal one ("INTEGER", not "INT").
    for (const FixedType &f : fixedTypes) {
        if (f.coltype == base && f.extendedId == extendedId)
            return f.name;
    }
    return QString();
}

} // namespace

ColumnTypeCode encodeColumnType(const QString &declaration, bool notNull)
{
    try {
        Reader r(declaration);
        if (r.atEnd())
            fail(u"empty type declaration"_s);
        ColumnTypeCode result = readType(r);
        r.expectEnd();
        if (notNull || result.coltype == Serial || result.coltype == Serial8 || result.coltype == BigSerial)
            result.coltype += NotNullFlag;
        return result;
    } catch (const Failure &failure) {
        ColumnTypeCode result;
        result.error = failure.message;
        return result;
    }
}

QString declarationOf(int coltype, int collength, int extendedId)
{
    const int base = coltype & ~NotNullFlag;
    // VARCHAR lengths may come back as the unsigned 16-bit value too.
    if ((base == VarChar || base == NVarChar) && collength > 32767 && collength <= 65535)
        collength = qint16(collength);
    const QString text = candidateDeclaration(base, collength, extendedId);
    // Re-encoding rejects numbers that no declaration produces.
    const ColumnTypeCode back = encodeColumnType(text, false);
    if (!back.valid || (back.coltype & ~NotNullFlag) != base || back.collength != collength
        || back.extendedId != extendedId)
        return QString();
    return text;
}

} // namespace quoll::connection::embedded
