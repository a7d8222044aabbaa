#pragma once

#include <QString>

namespace quoll::connection::embedded {

// A column type as the catalog stores it in syscolumns. `valid` is false
// (and `error` says why) when the declaration could not be read; the
// numbers are then all 0.
struct ColumnTypeCode
{
    int coltype = 0;
    int collength = 0;
    int extendedId = 0;
    bool valid = false;
    QString error;
};

// The syscolumns encoding of a type as written in CREATE TABLE, for example
// "varchar(255,10)", "DECIMAL(8)", "datetime year to fraction(3)",
// "interval day(3) to minute", "serial(100)". Words are case-insensitive and
// blanks between tokens are free. `notNull` adds 256 to coltype; SERIAL,
// SERIAL8 and BIGSERIAL always have it.
ColumnTypeCode encodeColumnType(const QString &declaration, bool notNull);

// The normalised upper-case declaration of a syscolumns encoding
// ("VARCHAR(255,10)", "DECIMAL(16)", "INTERVAL DAY(3) TO MINUTE"), ignoring
// the NOT NULL bit; empty when the numbers describe no type.
QString declarationOf(int coltype, int collength, int extendedId);

} // namespace quoll::connection::embedded
