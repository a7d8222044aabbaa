#include "connection/odbc/odbccursor.h"

#include "connection/engine/dateliterals.h"

#include <QDate>

#include <sqlext.h>

#include <cstring>
#include <initializer_list>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::odbc {

namespace {

// Types of the Informix ODBC driver beyond standard ODBC.
constexpr int InformixBlob = -102;
constexpr int InformixClob = -103;
constexpr int InformixLvarchar = -104;
constexpr int InformixDecimal = -113;
constexpr int InformixBigint = -114;

constexpr SQLLEN TextChunkChars = 16 * 1024;
constexpr SQLLEN BinaryChunkBytes = 32 * 1024;

// A row read in whole before it goes to the sink, so that a failure in a
// later column leaves no half row behind.
class RowBuffer final : public RowSink
{
public:
    QByteArray bytes;
    std::vector<qsizetype> ends;   // -1 for NULL
    void clear()
    {
        bytes.clear();
        ends.clear();
    }
    void addNull() override { ends.push_back(-1); }
    void addField(const char *utf8, std::size_t length) override
    {
        bytes.append(utf8, qsizetype(length));
        ends.push_back(bytes.size());
    }
    void writeTo(RowSink &sink) const
    {
        qsizetype start = 0;
        for (const qsizetype end : ends) {
            if (end < 0) {
                sink.addNull();
                continue;
            }
            sink.addField(bytes.constData() + start, size_t(end - start));
            start = end;
        }
    }
};


int putDigits(char *out, int value, int digits)
{
    for (int p = digits - 1; p >= 0; --p) {
        out[p] = char('0' + value % 10);
        value /= 10;
    }
    return digits;
}

// Fields of fixed widths with one separator character before each but the
// first ("12/31/2024", "10:05:00"); the length written.
struct Part
{
    int value;
    int digits;
};
int putParts(char *out, std::initializer_list<Part> parts, const char *separators)
{
    int length = 0;
    for (const Part &part : parts) {
        if (length > 0)
            out[length++] = *separators++;
        length += putDigits(out + length, part.value, part.digits);
    }
    return length;
}

} // namespace

FieldType fieldTypeOf(int sqlType, qint64 size, const QString &typeName, bool autoIncrement)
{
    const bool serial = autoIncrement || typeName.contains(u"serial"_s, Qt::CaseInsensitive);
    switch (sqlType) {
    case SQL_CHAR: return FieldType::FixedString;
    case SQL_VARCHAR: return FieldType::String;
    case SQL_WCHAR:
    case SQL_WVARCHAR: return FieldType::WideString;
    case SQL_LONGVARCHAR:
    case SQL_WLONGVARCHAR:
    case InformixClob: return FieldType::Memo;
    case InformixLvarchar: return size > 32739 ? FieldType::Memo : FieldType::String;
    case SQL_TINYINT:
    case SQL_SMALLINT: return FieldType::SmallInt;
    case SQL_INTEGER: return serial ? FieldType::AutoInc : FieldType::Integer;
    case SQL_BIGINT:
    case InformixBigint: return serial ? FieldType::AutoInc : FieldType::LargeInt;
    case SQL_BIT: return FieldType::Boolean;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: return FieldType::Float;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
    case InformixDecimal:
        return typeName.contains(u"money"_s, Qt::CaseInsensitive) ? FieldType::Currency : FieldType::BCD;
    case SQL_DATE:
    case SQL_TYPE_DATE: return FieldType::Date;
    case SQL_TIME:
    case SQL_TYPE_TIME: return FieldType::Time;
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIMESTAMP: return FieldType::DateTime;
    case SQL_BINARY: return FieldType::Bytes;
    case SQL_VARBINARY: return FieldType::VarBytes;
    case SQL_LONGVARBINARY:
    case InformixBlob: return FieldType::Blob;
    case SQL_GUID: return FieldType::String;
    default:
        // INTERVAL values read as their text.
        if (sqlType >= SQL_INTERVAL_YEAR && sqlType <= SQL_INTERVAL_MINUTE_TO_SECOND)
            return FieldType::String;
        return FieldType::Unknown;
    }
}

OdbcCursor::OdbcCursor(std::shared_ptr<StatementHandle> statement)
    : m_statement(std::move(statement)), m_generation(m_statement->generation)
{
    describe();
}

OdbcCursor::~OdbcCursor()
{
    finish();
}

void OdbcCursor::describe()
{
    SQLHSTMT stmt = m_statement->handle();
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(stmt, &count)))
        fail(stmt);
    for (SQLUSMALLINT column = 1; column <= count; ++column) {
        SQLWCHAR name[512] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT sqlType = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = SQL_NULLABLE_UNKNOWN;
        if (!SQL_SUCCEEDED(SQLDescribeColW(stmt, column, name, SQLSMALLINT(std::size(name)), &nameLength, &sqlType,
                                           &size, &digits, &nullable)))
            fail(stmt);
        SQLWCHAR typeName[128] = {};
        SQLSMALLINT typeNameLength = 0;
        if (!SQL_SUCCEEDED(SQLColAttributeW(stmt, column, SQL_DESC_TYPE_NAME, typeName, sizeof(typeName),
                                            &typeNameLength, nullptr)))
            typeName[0] = 0;
        SQLLEN autoIncrement = SQL_FALSE;
        if (!SQL_SUCCEEDED(SQLColAttributeW(stmt, column, SQL_DESC_AUTO_UNIQUE_VALUE, nullptr, 0, nullptr,
                                            &autoIncrement)))
            autoIncrement = SQL_FALSE;

        FieldDesc desc;
        desc.name = fromWide(name, std::min<int>(nameLength, int(std::size(name)) - 1));
        desc.type = fieldTypeOf(sqlType, qint64(size), fromWide(typeName, -1), autoIncrement == SQL_TRUE);
        desc.size = size > SQLULEN(INT_MAX) ? INT_MAX : int(size);
        desc.scale = digits;
        desc.nullable = nullable != SQL_NO_NULLS;
        m_fields.append(desc);

        Read read = Read::Text;
        switch (desc.type) {
        case FieldType::SmallInt:
        case FieldType::Integer:
        case FieldType::LargeInt:
        case FieldType::Word:
        case FieldType::AutoInc:
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::BCD: read = Read::Number; break;
        case FieldType::Boolean: read = Read::Boolean; break;
        case FieldType::Date: read = Read::Date; break;
        case FieldType::Time: read = Read::Time; break;
        case FieldType::DateTime: read = Read::DateTime; break;
        case FieldType::Bytes:
        case FieldType::VarBytes:
        case FieldType::Blob:
        case FieldType::Graphic: read = Read::Binary; break;
        default: read = Read::Text; break;
        }
        m_reads.push_back(read);
    }
}

void OdbcCursor::finish()
{
    if (m_done)
        return;
    m_done = true;
    if (m_statement->generation == m_generation)
        m_statement->closeResult();
}

void OdbcCursor::fail(SQLHSTMT stmt)
{
    EngineError error = m_statement->connection().failure(SQL_HANDLE_STMT, stmt);
    finish();
    throw error;
}

bool OdbcCursor::fetch(RowSink &sink)
{
    if (m_done)
        return false;
    if (m_statement->generation != m_generation || !m_statement->isOpen()) {
        m_done = true;
        return false;
    }
    SQLHSTMT stmt = m_statement->handle();
    const SQLRETURN rc = SQLFetch(stmt);
    if (rc == SQL_NO_DATA) {
        finish();
        return false;
    }
    if (!SQL_SUCCEEDED(rc))
        fail(stmt);
    static thread_local RowBuffer buffer;
    buffer.clear();
    for (int column = 0; column < int(m_reads.size()); ++column)
        readField(stmt, column, buffer);
    buffer.writeTo(sink);
    return true;
}

void OdbcCursor::readField(SQLHSTMT stmt, int column, RowSink &sink)
{
    const auto at = SQLUSMALLINT(column + 1);
    SQLLEN indicator = 0;
    char text[64];
    int length = 0;
    switch (m_reads[size_t(column)]) {
    case Read::Text:
        readText(stmt, column, sink);
        return;
    case Read::Binary:
        readBinary(stmt, column, sink);
        return;
    case Read::Number: {
        char number[512];
        if (!SQL_SUCCEEDED(SQLGetData(stmt, at, SQL_C_CHAR, number, sizeof(number), &indicator)))
            fail(stmt);
        if (indicator == SQL_NULL_DATA)
            return sink.addNull();
        const size_t size = indicator == SQL_NO_TOTAL ? std::strlen(number)
                                                       : std::min<size_t>(size_t(indicator), sizeof(number) - 1);
        return sink.addField(number, size);
    }
    case Read::Boolean: {
        unsigned char bit = 0;
        if (!SQL_SUCCEEDED(SQLGetData(stmt, at, SQL_C_BIT, &bit, sizeof(bit), &indicator)))
            fail(stmt);
        if (indicator == SQL_NULL_DATA)
            return sink.addNull();
        return sink.addField(bit ? "t" : "f", 1);
    }
    case Read::Date: {
        SQL_DATE_STRUCT date{};
        if (!SQL_SUCCEEDED(SQLGetData(stmt, at, SQL_C_TYPE_DATE, &date, sizeof(date), &indicator)))
            fail(stmt);
        if (indicator == SQL_NULL_DATA)
            return sink.addNull();
        // In the client's DBDATE form, as the embedded server shows dates.
        const QDate day(date.year, date.month, date.day);
        const int written = day.isValid() ? writeDate(dayNumber(day), text) : -1;
        if (written >= 0)
            return sink.addField(text, size_t(written));
        // A value no calendar holds is shown as the driver gave it.
        length = putParts(text, {{date.month, 2}, {date.day, 2}, {date.year, 4}}, "//");
        return sink.addField(text, size_t(length));
    }
    case Read::Time: {
        SQL_TIME_STRUCT time{};
        if (!SQL_SUCCEEDED(SQLGetData(stmt, at, SQL_C_TYPE_TIME, &time, sizeof(time), &indicator)))
            fail(stmt);
        if (indicator == SQL_NULL_DATA)
            return sink.addNull();
        length = putParts(text, {{time.hour, 2}, {time.minute, 2}, {time.second, 2}}, "::");
        return sink.addField(text, size_t(length));
    }
    case Read::DateTime: {
        SQL_TIMESTAMP_STRUCT stamp{};
        if (!SQL_SUCCEEDED(SQLGetData(stmt, at, SQL_C_TYPE_TIMESTAMP, &stamp, sizeof(stamp), &indicator)))
            fail(stmt);
        if (indicator == SQL_NULL_DATA)
            return sink.addNull();
        length = putParts(text,
                          {{stamp.year, 4}, {stamp.month, 2}, {stamp.day, 2}, {stamp.hour, 2}, {stamp.minute, 2},
                           {stamp.second, 2}},
                          "-- ::");
        // As many fraction digits as the column has; three when it does not
        // say and the value has a fraction.
        int digits = std::clamp(m_fields[column].scale, 0, 9);
        if (digits == 0 && stamp.fraction != 0)
            digits = 3;
        if (digits > 0) {
            text[length++] = '.';
            int fraction = int(stamp.fraction);   // nanoseconds
            for (int i = digits; i < 9; ++i)
                fraction /= 10;
            length += putDigits(text + length, fraction, digits);
        }
        return sink.addField(text, size_t(length));
    }
    }
}

void OdbcCursor::readText(SQLHSTMT stmt, int column, RowSink &sink)
{
    const auto at = SQLUSMALLINT(column + 1);
    std::vector<SQLWCHAR> &chunk = m_textChunk;
    if (chunk.empty())
        chunk.resize(size_t(TextChunkChars) + 1);
    const SQLLEN chunkBytes = SQLLEN(chunk.size() * sizeof(SQLWCHAR));
    QString value;
    for (bool first = true;; first = false) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt, at, SQL_C_WCHAR, chunk.data(), chunkBytes, &indicator);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            fail(stmt);
        if (indicator == SQL_NULL_DATA && first)
            return sink.addNull();
        // A chunk that filled the buffer ends with its terminating zero;
        // more of the value follows.
        const bool more = indicator == SQL_NO_TOTAL || indicator > chunkBytes - SQLLEN(sizeof(SQLWCHAR));
        const qsizetype chars = more ? qsizetype(chunk.size()) - 1 : qsizetype(indicator / SQLLEN(sizeof(SQLWCHAR)));
        const QStringView piece(reinterpret_cast<const char16_t *>(chunk.data()), chars);
        if (first && !more) {
            // The usual case, one chunk: straight to UTF-8.
            const QByteArray utf8 = piece.toUtf8();
            return sink.addField(utf8.constData(), size_t(utf8.size()));
        }
        value.append(piece);
        if (!more)
            break;
    }
    const QByteArray utf8 = value.toUtf8();
    sink.addField(utf8.constData(), size_t(utf8.size()));
}

void OdbcCursor::readBinary(SQLHSTMT stmt, int column, RowSink &sink)
{
    const auto at = SQLUSMALLINT(column + 1);
    QByteArray &chunk = m_binaryChunk;
    if (chunk.isEmpty())
        chunk.resize(BinaryChunkBytes);
    QByteArray value;
    for (bool first = true;; first = false) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt, at, SQL_C_BINARY, chunk.data(), chunk.size(), &indicator);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            fail(stmt);
        if (indicator == SQL_NULL_DATA && first)
            return sink.addNull();
        const bool more = indicator == SQL_NO_TOTAL || indicator > chunk.size();
        value.append(chunk.constData(), more ? chunk.size() : qsizetype(indicator));
        if (!more)
            break;
    }
    const QByteArray hex = value.toHex();
    sink.addField(hex.constData(), size_t(hex.size()));
}

} // namespace quoll::connection::odbc
