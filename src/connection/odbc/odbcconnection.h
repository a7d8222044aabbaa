#pragma once

#include "connection/engine/communicationarea.h"
#include "connection/engine/engine.h"
#include "connection/engine/engineerror.h"
#include "connection/odbc/odbcdiagnostics.h"

#include <sql.h>

#include <memory>
#include <set>

namespace quoll::connection::odbc {

class OdbcConnection;

// A statement handle of a connection. The connection frees every handle it
// still has before it disconnects, so a cursor or prepared statement that
// outlives its connection finds its handle gone and raises instead of
// touching freed memory. Each run bumps the generation, which ends any
// cursor of an earlier run.
class StatementHandle
{
public:
    // Allocates a handle on the open connection; raises EngineError.
    explicit StatementHandle(std::shared_ptr<OdbcConnection> connection);
    ~StatementHandle();
    StatementHandle(const StatementHandle &) = delete;
    StatementHandle &operator=(const StatementHandle &) = delete;

    // The handle; raises EngineError once the connection has closed.
    SQLHSTMT handle() const;
    bool isOpen() const { return m_stmt != SQL_NULL_HSTMT; }
    OdbcConnection &connection() const { return *m_connection; }
    // Closes the open result, if any, keeping the handle.
    void closeResult();
    void release();   // frees the handle (the connection calls it when closing)

    quint64 generation = 0;

private:
    std::shared_ptr<OdbcConnection> m_connection;
    SQLHSTMT m_stmt = SQL_NULL_HSTMT;
};

// The physical connection and what the last statement left behind (the
// communication area and the last error), shared by the engine and the
// statements and cursors it made.
class OdbcConnection
{
public:
    // What the server behind the driver is, for the features standard ODBC
    // does not cover (row identity, serial values).
    enum class Server { Other, Informix, Sqlite };

    OdbcConnection() = default;
    ~OdbcConnection();
    OdbcConnection(const OdbcConnection &) = delete;
    OdbcConnection &operator=(const OdbcConnection &) = delete;

    // Connects with a complete connection string; raises EngineError with
    // the driver's message, the password scrubbed from it.
    void open(const QString &connectionString, const QString &password);
    void close();
    bool isOpen() const { return m_connected; }
    SQLHDBC dbc() const { return m_dbc; }
    Server server() const { return m_server; }

    // Starts a statement's run: clears the area and the last error.
    void startRun();
    // Records a failed call on `handle` from its diagnostics (read at once)
    // and returns the error to raise.
    EngineError failure(SQLSMALLINT handleType, SQLHANDLE handle);
    // Records a successful run of `stmt`: rows processed and, after an
    // INSERT, the serial value and row identity where the server tells.
    void noteSuccess(SQLHSTMT stmt, bool isInsert, bool withInfo);
    // Records a failure that did not come from the driver.
    EngineError failure(int nativeCode, const QString &message);

    CommunicationArea area;
    ErrorEntry lastError;
    QString sqlState;   // of the last error, empty after a success

private:
    friend class StatementHandle;
    void noteWarnings(const std::vector<Diagnostic> &records);
    void readInsertIdentity(SQLHSTMT stmt);

    SQLHENV m_env = SQL_NULL_HENV;
    SQLHDBC m_dbc = SQL_NULL_HDBC;
    Server m_server = Server::Other;
    bool m_connected = false;
    std::set<StatementHandle *> m_statements;
};

// Whether a statement text starts with the word INSERT.
bool isInsertStatement(const QString &sql);

} // namespace quoll::connection::odbc
