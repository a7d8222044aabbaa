#pragma once

#include <QString>

namespace quoll::connection {

// The type of a result field, as exports, templates and grids branch on it.
enum class FieldType {
    String,        // variable-length text
    FixedString,   // blank-padded text (CHAR, NCHAR)
    WideString,
    Memo,          // long text (TEXT, CLOB, LVARCHAR beyond the grid's width)
    FormattedMemo,
    SmallInt,      // 16-bit integer
    Integer,       // 32-bit integer
    LargeInt,      // 64-bit integer
    Word,          // 16-bit unsigned
    AutoInc,       // serial numbers
    Boolean,
    Float,
    Currency,      // MONEY
    BCD,           // DECIMAL
    Date,
    Time,
    DateTime,
    Bytes,
    VarBytes,
    Blob,          // BYTE, BLOB
    Graphic,
    Unknown,
};

// The enumerator's name ("String", "BCD", ...), for messages and tests.
QString fieldTypeName(FieldType type);

// Text-like types: a string or a memo (the types that exports quote).
bool isTextType(FieldType type);

// Whole-number types.
bool isIntegerType(FieldType type);

// Number types: integers, floats, money and decimals (shown right-aligned).
bool isNumericType(FieldType type);

// One column of a result: its name, type, size (characters for text, digits
// for decimals, bytes otherwise), scale (digits after the point for decimals)
// and whether it may hold NULL.
struct FieldDesc
{
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;
    int scale = 0;
    bool nullable = true;
};

} // namespace quoll::connection
