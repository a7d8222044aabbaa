#pragma once

#include "connection/engine/cursor.h"
#include "connection/odbc/odbcconnection.h"

#include <QList>

#include <memory>
#include <vector>

namespace quoll::connection::odbc {

// The field type of a result column from its ODBC description: the SQL
// type, its size, and the server's type name (which tells MONEY and SERIAL
// apart from DECIMAL and INTEGER).
FieldType fieldTypeOf(int sqlType, qint64 size, const QString &typeName, bool autoIncrement);

// Reads the rows of an executed statement one at a time with SQLFetch and
// SQLGetData; long texts and binaries come in chunks. Text is written as
// UTF-8, binaries as hexadecimal digits, DATE as mm/dd/yyyy, DATETIME as
// yyyy-mm-dd hh:mm:ss[.fff], booleans as t or f.
class OdbcCursor : public Cursor
{
public:
    // Describes the result columns of `statement`; raises EngineError.
    explicit OdbcCursor(std::shared_ptr<StatementHandle> statement);
    ~OdbcCursor() override;

    const QList<FieldDesc> &fields() const override { return m_fields; }
    bool fetch(RowSink &sink) override;

private:
    enum class Read { Text, Number, Binary, Date, Time, DateTime, Boolean };

    void describe();
    void readField(SQLHSTMT stmt, int column, RowSink &sink);
    void readText(SQLHSTMT stmt, int column, RowSink &sink);
    void readBinary(SQLHSTMT stmt, int column, RowSink &sink);
    [[noreturn]] void fail(SQLHSTMT stmt);
    void finish();

    std::shared_ptr<StatementHandle> m_statement;
    quint64 m_generation;
    bool m_done = false;
    QList<FieldDesc> m_fields;
    std::vector<Read> m_reads;
    std::vector<SQLWCHAR> m_textChunk;   // read buffers, made on first use
    QByteArray m_binaryChunk;
};

} // namespace quoll::connection::odbc
