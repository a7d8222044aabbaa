#pragma once

#include "connection/engine/communicationarea.h"
#include "connection/engine/cursor.h"
#include "connection/engine/parameterlist.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>

namespace quoll::connection {

// A statement prepared on the server, with positional parameters (markers
// "?" in its text, counted from 0).
class PreparedStatement
{
public:
    virtual ~PreparedStatement() = default;

    // Binds a parameter; a null QVariant binds NULL.
    virtual void bind(int index, const QVariant &value) = 0;
    // Runs the statement with the bound values: the cursor when it yields
    // rows, else null. Raises EngineError.
    virtual std::unique_ptr<Cursor> execute() = 0;
    // Rows inserted, updated or deleted by the last execute.
    virtual std::int64_t rowsAffected() const = 0;
};

// The statuses of direct execution: 0 is success.
enum DirectStatus : std::uint16_t {
    StatusOk = 0,
    StatusSqlError = 1,       // the server refused the statement
    StatusNotConnected = 2,
    StatusEngineFailure = 3,  // the engine failed outside the statement
};

// What direct execution gives back: the status and, exactly when the
// statement produced rows, a cursor on them.
struct DirectResult
{
    std::uint16_t status = StatusOk;
    std::unique_ptr<Cursor> cursor;
};

// The last error's first entry: the server's native code and its text.
struct ErrorEntry
{
    int nativeCode = 0;
    QString context;
};

// One back end of the engine layer: the embedded server or ODBC. Everything
// above this interface works the same with either.
class Engine
{
public:
    virtual ~Engine() = default;

    // Opens the physical connection from the parameters (server name,
    // database, user name, password); raises EngineError.
    virtual void connect(const ParameterList &parameters) = 0;
    virtual void disconnect() = 0;
    virtual bool isConnected() const = 0;

    // Runs a statement that yields no rows; raises EngineError.
    virtual void execute(const QString &sql) = 0;
    // Prepares a statement with "?" markers; raises EngineError.
    virtual std::unique_ptr<PreparedStatement> prepare(const QString &sql) = 0;

    // Runs any statement as the user typed it. Never raises for a statement
    // the server refuses: the status tells, and lastError(), statusText()
    // and communicationArea() explain.
    virtual DirectResult executeDirect(const QString &sql) = 0;
    virtual ErrorEntry lastError() const = 0;
    virtual CommunicationArea communicationArea() const = 0;

    virtual bool inTransaction() const = 0;
    virtual void startTransaction() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;

    // The columns of `table`'s primary key, in key order; empty when it has
    // none (rows are then found by the server's row identity).
    virtual QStringList primaryKey(const QString &table) = 0;
    // The expression that selects a row's identity ("rowid"), empty when
    // the server has none.
    virtual QString rowIdentity() const = 0;
};

// The text of a direct-execution status, at most 128 characters.
QString statusText(std::uint16_t status);

} // namespace quoll::connection
