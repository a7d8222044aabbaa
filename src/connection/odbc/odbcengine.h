#pragma once

#include "connection/engine/engine.h"
#include "connection/engine/engineerror.h"
#include "connection/odbc/connectionstring.h"

#include <functional>
#include <memory>

namespace quoll::connection::odbc {

class OdbcConnection;

// Real Informix servers through the ODBC driver manager and the Informix
// ODBC driver, with the wide-character API. SQL goes to the server as it
// is. Made from a server's sqlhosts entry (OdbcServer); tests give a
// complete connection string for another driver instead.
class OdbcEngine : public Engine
{
public:
    // Finds the Informix driver: a registered driver name or a library
    // path, empty when none is installed.
    using DriverFinder = std::function<QString()>;

    // A server of the sqlhosts file; the driver is looked for at connect
    // (findInformixDriver() unless `finder` is given).
    explicit OdbcEngine(OdbcServer server, DriverFinder finder = {});
    // Connects with `connectionString` as it is, adding UID and PWD from
    // the login when a user name is given.
    static std::unique_ptr<OdbcEngine> withConnectionString(const QString &connectionString);
    ~OdbcEngine() override;

    const OdbcServer &server() const { return m_server; }

    void connect(const ParameterList &parameters) override;
    void disconnect() override;
    bool isConnected() const override;

    void execute(const QString &sql) override;
    std::unique_ptr<PreparedStatement> prepare(const QString &sql) override;

    DirectResult executeDirect(const QString &sql) override;
    ErrorEntry lastError() const override;
    CommunicationArea communicationArea() const override;
    // The SQLSTATE of the last error, empty when the last statement succeeded.
    QString lastSqlState() const;

    bool inTransaction() const override { return m_inTransaction; }
    void startTransaction() override;
    void commit() override;
    void rollback() override;

    QStringList primaryKey(const QString &table) override;
    // "rowid" on servers that give every row one (Informix, SQLite), else empty.
    QString rowIdentity() const override;

private:
    struct Run
    {
        std::unique_ptr<Cursor> cursor;
        bool failed = false;
        EngineError error{0, {}};
    };

    OdbcEngine() = default;
    Run run(const QString &sql);
    void requireConnected() const;
    void endTransaction(short completion);
    void setAutocommit(bool on);

    OdbcServer m_server;
    DriverFinder m_finder;
    QString m_connectionString;   // tests: used instead of the server's
    std::shared_ptr<OdbcConnection> m_connection;
    bool m_inTransaction = false;
};

} // namespace quoll::connection::odbc
