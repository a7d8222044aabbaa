#include "connection/odbc/odbcstatement.h"

#include "connection/odbc/odbccursor.h"

#include <QDate>
#include <QDateTime>

#include <sqlext.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::odbc {

struct OdbcStatement::Parameter
{
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN columnSize = 1;
    SQLSMALLINT digits = 0;
    QByteArray data;
    SQLLEN indicator = SQL_NULL_DATA;
};

OdbcStatement::OdbcStatement(std::shared_ptr<OdbcConnection> connection, const QString &sql)
    : m_connection(std::move(connection)), m_statement(std::make_shared<StatementHandle>(m_connection)),
      m_isInsert(isInsertStatement(sql))
{
    SQLHSTMT stmt = m_statement->handle();
    m_connection->startRun();
    if (!SQL_SUCCEEDED(SQLPrepareW(stmt, const_cast<SQLWCHAR *>(wide(sql)), SQLINTEGER(sql.size()))))
        throw m_connection->failure(SQL_HANDLE_STMT, stmt);
    SQLSMALLINT count = 0;
    m_parameterCount = SQL_SUCCEEDED(SQLNumParams(stmt, &count)) ? count : -1;
}

OdbcStatement::~OdbcStatement() = default;

void OdbcStatement::bind(int index, const QVariant &value)
{
    if (index < 0 || (m_parameterCount >= 0 && index >= m_parameterCount))
        throw EngineError(0, u"The statement has no parameter %1."_s.arg(index + 1));
    // New values end the rows of the run before.
    m_statement->closeResult();
    if (size_t(index) >= m_parameters.size())
        m_parameters.resize(size_t(index) + 1);
    auto p = std::make_unique<Parameter>();
    const auto store = [&p](const void *data, qsizetype size) {
        p->data = QByteArray(static_cast<const char *>(data), size);
        p->indicator = SQLLEN(size);
    };
    if (value.isNull()) {
        p->data = QByteArray(1, '\0');
    } else {
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort: {
            const SQLINTEGER v = value.toInt();
            store(&v, sizeof(v));
            p->cType = SQL_C_SLONG;
            p->sqlType = SQL_INTEGER;
            p->columnSize = 10;
            break;
        }
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            const SQLBIGINT v = value.toLongLong();
            store(&v, sizeof(v));
            p->cType = SQL_C_SBIGINT;
            p->sqlType = SQL_BIGINT;
            p->columnSize = 19;
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float: {
            const double v = value.toDouble();
            store(&v, sizeof(v));
            p->cType = SQL_C_DOUBLE;
            p->sqlType = SQL_DOUBLE;
            p->columnSize = 15;
            break;
        }
        case QMetaType::Bool: {
            const unsigned char v = value.toBool() ? 1 : 0;
            store(&v, sizeof(v));
            p->cType = SQL_C_BIT;
            p->sqlType = SQL_BIT;
            break;
        }
        case QMetaType::QDate: {
            const QDate d = value.toDate();
            SQL_DATE_STRUCT v{SQLSMALLINT(d.year()), SQLUSMALLINT(d.month()), SQLUSMALLINT(d.day())};
            store(&v, sizeof(v));
            p->cType = SQL_C_TYPE_DATE;
            p->sqlType = SQL_TYPE_DATE;
            p->columnSize = 10;
            break;
        }
        case QMetaType::QDateTime: {
            const QDateTime dt = value.toDateTime();
            const QDate d = dt.date();
            const QTime t = dt.time();
            SQL_TIMESTAMP_STRUCT v{SQLSMALLINT(d.year()), SQLUSMALLINT(d.month()), SQLUSMALLINT(d.day()),
                                   SQLUSMALLINT(t.hour()), SQLUSMALLINT(t.minute()), SQLUSMALLINT(t.second()),
                                   SQLUINTEGER(t.msec()) * 1000000u};
            store(&v, sizeof(v));
            p->cType = SQL_C_TYPE_TIMESTAMP;
            p->sqlType = SQL_TYPE_TIMESTAMP;
            p->columnSize = 23;
            p->digits = 3;
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            p->data = bytes.isEmpty() ? QByteArray(1, '\0') : bytes;
            p->indicator = SQLLEN(bytes.size());
            p->cType = SQL_C_BINARY;
            p->sqlType = bytes.size() > 8000 ? SQL_LONGVARBINARY : SQL_VARBINARY;
            p->columnSize = SQLULEN(std::max<qsizetype>(1, bytes.size()));
            break;
        }
        default: {
            const QString text = value.toString();
            store(text.utf16(), text.size() * qsizetype(sizeof(SQLWCHAR)));
            p->data.append(2, '\0');   // a terminator, for drivers that look for one
            p->cType = SQL_C_WCHAR;
            p->sqlType = text.size() > 4000 ? SQL_WLONGVARCHAR : SQL_WVARCHAR;
            p->columnSize = SQLULEN(std::max<qsizetype>(1, text.size()));
            break;
        }
        }
    }
    m_parameters[size_t(index)] = std::move(p);
}

void OdbcStatement::bindAll(SQLHSTMT stmt)
{
    const int count = m_parameterCount >= 0 ? m_parameterCount : int(m_parameters.size());
    for (int i = 0; i < count; ++i) {
        if (size_t(i) >= m_parameters.size() || !m_parameters[size_t(i)])
            throw m_connection->failure(0, u"The statement's parameter %1 has no value."_s.arg(i + 1));
        Parameter &p = *m_parameters[size_t(i)];
        if (!SQL_SUCCEEDED(SQLBindParameter(stmt, SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, p.cType, p.sqlType,
                                            p.columnSize, p.digits, p.data.data(), SQLLEN(p.data.size()),
                                            &p.indicator)))
            throw m_connection->failure(SQL_HANDLE_STMT, stmt);
    }
}

std::unique_ptr<Cursor> OdbcStatement::execute()
{
    SQLHSTMT stmt = m_statement->handle();
    m_statement->closeResult();
    m_connection->startRun();
    m_rowsAffected = 0;
    bindAll(stmt);
    const SQLRETURN rc = SQLExecute(stmt);
    if (rc != SQL_NO_DATA && !SQL_SUCCEEDED(rc))
        throw m_connection->failure(SQL_HANDLE_STMT, stmt);
    m_connection->noteSuccess(stmt, m_isInsert, rc == SQL_SUCCESS_WITH_INFO);
    SQLSMALLINT columns = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(stmt, &columns)))
        throw m_connection->failure(SQL_HANDLE_STMT, stmt);
    if (columns > 0)
        return std::make_unique<OdbcCursor>(m_statement);
    m_rowsAffected = m_connection->area.rowsProcessed;
    return nullptr;
}

} // namespace quoll::connection::odbc
