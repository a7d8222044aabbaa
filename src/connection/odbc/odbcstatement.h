#pragma once

#include "connection/engine/engine.h"
#include "connection/odbc/odbcconnection.h"

#include <memory>
#include <vector>

namespace quoll::connection::odbc {

// A statement prepared with "?" markers. Values are bound when it runs, from
// buffers it owns, so they stay valid for the driver.
class OdbcStatement : public PreparedStatement
{
public:
    // Prepares `sql`; raises EngineError.
    OdbcStatement(std::shared_ptr<OdbcConnection> connection, const QString &sql);
    ~OdbcStatement() override;

    void bind(int index, const QVariant &value) override;
    std::unique_ptr<Cursor> execute() override;
    std::int64_t rowsAffected() const override { return m_rowsAffected; }

private:
    struct Parameter;

    void bindAll(SQLHSTMT stmt);

    std::shared_ptr<OdbcConnection> m_connection;
    std::shared_ptr<StatementHandle> m_statement;
    bool m_isInsert;
    int m_parameterCount = 0;
    std::vector<std::unique_ptr<Parameter>> m_parameters;
    std::int64_t m_rowsAffected = 0;
};

} // namespace quoll::connection::odbc
