#include "connection/odbc/odbcconnection.h"

#include "connection/odbc/connectionstring.h"

#include <sqlext.h>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::odbc {

namespace {

// Informix-specific statement attributes of its ODBC driver.
constexpr SQLINTEGER InformixGetRowId = 1048;
constexpr SQLINTEGER InformixGetSerialValue = 1049;
// Its diagnostic field with the secondary (ISAM) error code.
constexpr SQLSMALLINT InformixIsamError = 13;

void setText(std::array<char, 72> &field, const QString &text)
{
    const QByteArray bytes = text.toUtf8().left(qsizetype(field.size()) - 1);
    field.fill(0);
    std::memcpy(field.data(), bytes.constData(), size_t(bytes.size()));
}

// An error of the driver manager or driver in words a user can act on.
QString connectFailureText(const Diagnostic &d)
{
    if (d.message.contains(u"Can't open lib"_s) || d.state == u"IM002"_s || d.state == u"IM003"_s)
        return u"The ODBC driver could not be loaded (%1): %2"_s.arg(d.state, d.message);
    return d.message;
}

} // namespace

bool isInsertStatement(const QString &sql)
{
    const QString head = sql.trimmed().left(7);
    return head.startsWith(u"insert"_s, Qt::CaseInsensitive) && (head.size() == 6 || !head[6].isLetterOrNumber());
}

StatementHandle::StatementHandle(std::shared_ptr<OdbcConnection> connection) : m_connection(std::move(connection))
{
    if (!m_connection->isOpen())
        throw EngineError(0, u"Not connected to a database server."_s);
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, m_connection->dbc(), &m_stmt))) {
        m_stmt = SQL_NULL_HSTMT;
        throw m_connection->failure(SQL_HANDLE_DBC, m_connection->dbc());
    }
    m_connection->m_statements.insert(this);
}

StatementHandle::~StatementHandle()
{
    release();
}

void StatementHandle::release()
{
    if (m_stmt != SQL_NULL_HSTMT) {
        SQLFreeHandle(SQL_HANDLE_STMT, m_stmt);
        m_stmt = SQL_NULL_HSTMT;
        ++generation;
    }
    m_connection->m_statements.erase(this);
}

SQLHSTMT StatementHandle::handle() const
{
    if (m_stmt == SQL_NULL_HSTMT)
        throw EngineError(0, u"The connection this statement belonged to is closed."_s);
    return m_stmt;
}

void StatementHandle::closeResult()
{
    ++generation;
    if (m_stmt != SQL_NULL_HSTMT)
        SQLFreeStmt(m_stmt, SQL_CLOSE);
}

OdbcConnection::~OdbcConnection()
{
    close();
}

void OdbcConnection::open(const QString &connectionString, const QString &password)
{
    close();
    startRun();
    const auto fail = [&](SQLSMALLINT type, SQLHANDLE handle, const QString &fallback) {
        std::vector<Diagnostic> records = readDiagnostics(type, handle);
        Diagnostic first = records.empty() ? Diagnostic{u"HY000"_s, 0, fallback} : records.front();
        // The driver manager's own note often comes first; the driver's
        // error, when there is one, tells more.
        for (const Diagnostic &d : records) {
            if (d.nativeCode != 0) {
                first = d;
                break;
            }
        }
        const QString message = scrubbed(connectFailureText(first), password);
        close();
        area.code = first.nativeCode;
        setText(area.messageParameters, message);
        lastError = {first.nativeCode, message.left(128)};
        sqlState = first.state;
        return EngineError(first.nativeCode, message);
    };
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env))) {
        m_env = SQL_NULL_HENV;
        throw fail(SQL_HANDLE_ENV, SQL_NULL_HANDLE, u"The ODBC driver manager could not be started."_s);
    }
    SQLSetEnvAttr(m_env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, m_env, &m_dbc))) {
        m_dbc = SQL_NULL_HDBC;
        throw fail(SQL_HANDLE_ENV, m_env, u"The ODBC driver manager gave no connection."_s);
    }
    // No completed connection string is asked back: it would hold the password.
    const SQLRETURN rc = SQLDriverConnectW(m_dbc, nullptr, const_cast<SQLWCHAR *>(wide(connectionString)), SQL_NTS,
                                           nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        // fail() frees the handles after reading their diagnostics.
        throw fail(SQL_HANDLE_DBC, m_dbc, u"The connection failed."_s);
    }
    m_connected = true;
    SQLWCHAR name[128] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetInfoW(m_dbc, SQL_DBMS_NAME, name, sizeof(name), &length))) {
        const QString dbms = fromWide(name, -1);
        if (dbms.contains(u"informix"_s, Qt::CaseInsensitive))
            m_server = Server::Informix;
        else if (dbms.contains(u"sqlite"_s, Qt::CaseInsensitive))
            m_server = Server::Sqlite;
    }
}

void OdbcConnection::close()
{
    // Statements go first: a handle freed by the disconnect must not be
    // freed again by its owner.
    while (!m_statements.empty())
        (*m_statements.begin())->release();
    if (m_dbc != SQL_NULL_HDBC) {
        if (m_connected)
            SQLDisconnect(m_dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
        m_dbc = SQL_NULL_HDBC;
    }
    if (m_env != SQL_NULL_HENV) {
        SQLFreeHandle(SQL_HANDLE_ENV, m_env);
        m_env = SQL_NULL_HENV;
    }
    m_connected = false;
    m_server = Server::Other;
}

void OdbcConnection::startRun()
{
    area = {};
    lastError = {};
    sqlState.clear();
}

EngineError OdbcConnection::failure(SQLSMALLINT handleType, SQLHANDLE handle)
{
    const std::vector<Diagnostic> records = readDiagnostics(handleType, handle);
    if (records.empty())
        return failure(0, u"The ODBC driver reported a failure without a message."_s);
    const Diagnostic &first = records.front();
    SQLINTEGER isam = 0;
    if (m_server == Server::Informix
        && !SQL_SUCCEEDED(SQLGetDiagField(handleType, handle, 1, InformixIsamError, &isam, SQL_IS_INTEGER, nullptr)))
        isam = 0;
    noteWarnings(records);
    EngineError error = failure(first.nativeCode, first.message);
    area.serialOrSecondary = isam;
    sqlState = first.state;
    return error;
}

EngineError OdbcConnection::failure(int nativeCode, const QString &message)
{
    area.code = nativeCode;
    setText(area.messageParameters, message);
    area.errorOffset = 0;   // the driver gives no position
    lastError = {nativeCode, message.left(128)};
    return EngineError(nativeCode, message);
}

// Warnings the driver sent with a result, as the area's warning flags.
void OdbcConnection::noteWarnings(const std::vector<Diagnostic> &records)
{
    bool any = false;
    for (const Diagnostic &d : records) {
        int flag = -1;
        if (d.state == u"01004"_s || d.state == u"01I01"_s)
            flag = 1;
        else if (d.state == u"01I03"_s)
            flag = 2;
        else if (d.state == u"01I04"_s)
            flag = 3;
        else if (d.state == u"01I05"_s)
            flag = 4;
        else if (d.state == u"01I06"_s)
            flag = 5;
        else if (d.state == u"01I10"_s)
            flag = 6;
        if (flag < 0)
            continue;
        if (!any)
            area.warnings.fill(' ');
        any = true;
        area.warnings[size_t(flag)] = 'W';
        area.warnings[0] = 'W';
    }
}

void OdbcConnection::noteSuccess(SQLHSTMT stmt, bool isInsert, bool withInfo)
{
    if (withInfo)
        noteWarnings(readDiagnostics(SQL_HANDLE_STMT, stmt));
    SQLLEN rows = 0;
    if (SQL_SUCCEEDED(SQLRowCount(stmt, &rows)) && rows > 0)
        area.rowsProcessed = std::int32_t(rows);
    if (isInsert && area.rowsProcessed > 0)
        readInsertIdentity(stmt);
}

void OdbcConnection::readInsertIdentity(SQLHSTMT stmt)
{
    if (m_server == Server::Informix) {
        SQLINTEGER value = 0;
        if (SQL_SUCCEEDED(SQLGetStmtAttr(stmt, InformixGetSerialValue, &value, 0, nullptr)))
            area.serialOrSecondary = value;
        value = 0;
        if (SQL_SUCCEEDED(SQLGetStmtAttr(stmt, InformixGetRowId, &value, 0, nullptr)))
            area.rowId = value;
        return;
    }
    if (m_server != Server::Sqlite)
        return;
    // The storage's row number is both the row identity and the number an
    // INTEGER PRIMARY KEY column was given.
    SQLHSTMT query = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &query)))
        return;
    SQLBIGINT rowid = 0;
    SQLLEN indicator = 0;
    if (SQL_SUCCEEDED(SQLExecDirectW(query, const_cast<SQLWCHAR *>(wide(u"select last_insert_rowid()"_s)), SQL_NTS))
        && SQL_SUCCEEDED(SQLFetch(query))
        && SQL_SUCCEEDED(SQLGetData(query, 1, SQL_C_SBIGINT, &rowid, sizeof(rowid), &indicator))
        && indicator != SQL_NULL_DATA) {
        area.rowId = std::int32_t(rowid);
        area.serialOrSecondary = std::int32_t(rowid);
    }
    SQLFreeHandle(SQL_HANDLE_STMT, query);
}

} // namespace quoll::connection::odbc
