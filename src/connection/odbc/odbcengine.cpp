#include "connection/odbc/odbcengine.h"

#include "connection/odbc/driverlocator.h"
#include "connection/odbc/odbcconnection.h"
#include "connection/odbc/odbccursor.h"
#include "connection/odbc/odbcstatement.h"

#include <sqlext.h>

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::odbc {

namespace {

// Informix codes for the transaction mistakes caught before the server.
constexpr int NotInTransaction = -255;
constexpr int AlreadyInTransaction = -535;

enum class TransactionWord { None, Begin, Commit, Rollback };

// BEGIN, COMMIT or ROLLBACK [WORK] as a statement of its own. These go
// through the driver's transaction calls: sent as text they would fight the
// driver's autocommit, and inTransaction() would not follow them.
TransactionWord transactionWord(const QString &sql)
{
    static const QRegularExpression statement(u"^\\s*(begin|commit|rollback)(\\s+work)?\\s*;?\\s*$"_s,
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = statement.match(sql);
    if (!match.hasMatch())
        return TransactionWord::None;
    const QString word = match.captured(1).toLower();
    if (word == u"begin"_s)
        return TransactionWord::Begin;
    return word == u"commit"_s ? TransactionWord::Commit : TransactionWord::Rollback;
}

} // namespace

OdbcEngine::OdbcEngine(OdbcServer server, DriverFinder finder)
    : m_server(std::move(server)), m_finder(std::move(finder)), m_connection(std::make_shared<OdbcConnection>())
{
}

std::unique_ptr<OdbcEngine> OdbcEngine::withConnectionString(const QString &connectionString)
{
    std::unique_ptr<OdbcEngine> engine(new OdbcEngine);
    engine->m_connectionString = connectionString;
    engine->m_connection = std::make_shared<OdbcConnection>();
    return engine;
}

OdbcEngine::~OdbcEngine()
{
    disconnect();
}

void OdbcEngine::connect(const ParameterList &parameters)
{
    disconnect();
    OdbcLogin login;
    login.database = parameters.value(u"DATABASE NAME"_s).trimmed();
    login.user = parameters.value(u"USER NAME"_s).trimmed();
    login.password = parameters.value(u"PASSWORD"_s);
    QString text;
    if (!m_connectionString.isEmpty()) {
        text = m_connectionString;
        if (!login.user.isEmpty())
            text += u";UID="_s + connectionValue(login.user) + u";PWD="_s + connectionValue(login.password);
    } else {
        const QString driver = m_finder ? m_finder() : findInformixDriver();
        if (driver.isEmpty()) {
            m_connection->startRun();
            throw m_connection->failure(0, missingDriverMessage());
        }
        OdbcServer server = m_server;
        // The list's server name wins over the entry's: it is what the user picked.
        const QString picked = parameters.value(u"SERVER NAME"_s).trimmed();
        if (!picked.isEmpty())
            server.name = picked;
        text = informixConnectionString(driver, server, login);
    }
    // The string, with the password, lives only for this call.
    m_connection->open(text, login.password);
    m_inTransaction = false;
}

void OdbcEngine::disconnect()
{
    if (!m_connection || !m_connection->isOpen())
        return;
    // A transaction left open ends with the connection, rolled back.
    if (m_inTransaction)
        SQLEndTran(SQL_HANDLE_DBC, m_connection->dbc(), SQL_ROLLBACK);
    m_inTransaction = false;
    m_connection->close();
}

bool OdbcEngine::isConnected() const
{
    return m_connection && m_connection->isOpen();
}

void OdbcEngine::requireConnected() const
{
    if (!isConnected())
        throw EngineError(0, u"Not connected to a database server."_s);
}

ErrorEntry OdbcEngine::lastError() const
{
    return m_connection->lastError;
}

CommunicationArea OdbcEngine::communicationArea() const
{
    return m_connection->area;
}

QString OdbcEngine::lastSqlState() const
{
    return m_connection->sqlState;
}

OdbcEngine::Run OdbcEngine::run(const QString &sql)
{
    Run outcome;
    try {
        requireConnected();
        switch (transactionWord(sql)) {
        case TransactionWord::Begin: startTransaction(); return outcome;
        case TransactionWord::Commit: commit(); return outcome;
        case TransactionWord::Rollback: rollback(); return outcome;
        case TransactionWord::None: break;
        }
        auto statement = std::make_shared<StatementHandle>(m_connection);
        SQLHSTMT stmt = statement->handle();
        m_connection->startRun();
        const SQLRETURN rc = SQLExecDirectW(stmt, const_cast<SQLWCHAR *>(wide(sql)), SQLINTEGER(sql.size()));
        if (rc != SQL_NO_DATA && !SQL_SUCCEEDED(rc)) {
            EngineError error = m_connection->failure(SQL_HANDLE_STMT, stmt);
            // Rows a failing statement had already done still count.
            SQLLEN rows = 0;
            if (SQL_SUCCEEDED(SQLRowCount(stmt, &rows)) && rows > 0)
                m_connection->area.rowsProcessed = std::int32_t(rows);
            throw error;
        }
        m_connection->noteSuccess(stmt, isInsertStatement(sql), rc == SQL_SUCCESS_WITH_INFO);
        SQLSMALLINT columns = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(stmt, &columns)))
            throw m_connection->failure(SQL_HANDLE_STMT, stmt);
        if (columns > 0)
            outcome.cursor = std::make_unique<OdbcCursor>(std::move(statement));
    } catch (const EngineError &e) {
        outcome.failed = true;
        outcome.error = e;
        if (m_connection->lastError.context.isEmpty())
            m_connection->failure(e.nativeCode(), e.message());
    }
    return outcome;
}

DirectResult OdbcEngine::executeDirect(const QString &sql)
{
    if (!isConnected()) {
        m_connection->startRun();
        m_connection->lastError = {0, u"Not connected to a database server."_s};
        return {StatusNotConnected, nullptr};
    }
    Run outcome = run(sql);
    DirectResult result;
    result.status = outcome.failed ? StatusSqlError : StatusOk;
    result.cursor = std::move(outcome.cursor);
    return result;
}

void OdbcEngine::execute(const QString &sql)
{
    Run outcome = run(sql);
    if (outcome.failed)
        throw outcome.error;
}

std::unique_ptr<PreparedStatement> OdbcEngine::prepare(const QString &sql)
{
    requireConnected();
    return std::make_unique<OdbcStatement>(m_connection, sql);
}

void OdbcEngine::setAutocommit(bool on)
{
    const auto value = reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF));
    if (!SQL_SUCCEEDED(SQLSetConnectAttrW(m_connection->dbc(), SQL_ATTR_AUTOCOMMIT, value, SQL_IS_UINTEGER)))
        throw m_connection->failure(SQL_HANDLE_DBC, m_connection->dbc());
}

void OdbcEngine::startTransaction()
{
    requireConnected();
    m_connection->startRun();
    if (m_inTransaction)
        throw m_connection->failure(AlreadyInTransaction, u"Already in transaction."_s);
    setAutocommit(false);
    m_inTransaction = true;
}

void OdbcEngine::endTransaction(short completion)
{
    requireConnected();
    m_connection->startRun();
    if (!m_inTransaction)
        throw m_connection->failure(NotInTransaction, u"Not in transaction."_s);
    if (!SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, m_connection->dbc(), completion)))
        throw m_connection->failure(SQL_HANDLE_DBC, m_connection->dbc());
    m_inTransaction = false;
    setAutocommit(true);
}

void OdbcEngine::commit()
{
    endTransaction(SQL_COMMIT);
}

void OdbcEngine::rollback()
{
    endTransaction(SQL_ROLLBACK);
}

QStringList OdbcEngine::primaryKey(const QString &table)
{
    requireConnected();
    // "db:owner.table" or "owner.table": the catalog function takes the parts apart.
    QString name = table;
    QString catalog;
    QString schema;
    if (const qsizetype colon = name.indexOf(u':'); colon >= 0) {
        catalog = name.left(colon);
        name = name.mid(colon + 1);
    }
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot >= 0) {
        schema = name.left(dot);
        name = name.mid(dot + 1);
    }
    const auto unquoted = [](QString part) {
        if (part.size() >= 2 && part.startsWith(u'"') && part.endsWith(u'"'))
            part = part.mid(1, part.size() - 2).replace(u"\"\""_s, u"\""_s);
        return part;
    };
    catalog = unquoted(catalog);
    schema = unquoted(schema);
    name = unquoted(name);

    StatementHandle statement(m_connection);
    SQLHSTMT stmt = statement.handle();
    const auto part = [](const QString &text) { return text.isEmpty() ? nullptr : const_cast<SQLWCHAR *>(wide(text)); };
    if (!SQL_SUCCEEDED(SQLPrimaryKeysW(stmt, part(catalog), SQLSMALLINT(catalog.size()), part(schema),
                                       SQLSMALLINT(schema.size()), const_cast<SQLWCHAR *>(wide(name)),
                                       SQLSMALLINT(name.size()))))
        throw m_connection->failure(SQL_HANDLE_STMT, stmt);
    std::vector<std::pair<int, QString>> columns;
    for (;;) {
        const SQLRETURN rc = SQLFetch(stmt);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            throw m_connection->failure(SQL_HANDLE_STMT, stmt);
        SQLWCHAR column[512] = {};
        SQLLEN length = 0;
        SQLSMALLINT sequence = 0;
        SQLLEN sequenceIndicator = 0;
        if (!SQL_SUCCEEDED(SQLGetData(stmt, 4, SQL_C_WCHAR, column, sizeof(column), &length))
            || !SQL_SUCCEEDED(SQLGetData(stmt, 5, SQL_C_SSHORT, &sequence, sizeof(sequence), &sequenceIndicator)))
            throw m_connection->failure(SQL_HANDLE_STMT, stmt);
        if (length == SQL_NULL_DATA)
            continue;
        columns.emplace_back(sequence, fromWide(column, -1));
    }
    std::stable_sort(columns.begin(), columns.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList key;
    for (const auto &[sequence, column] : columns)
        key.append(column);
    return key;
}

QString OdbcEngine::rowIdentity() const
{
    if (!isConnected())
        return {};
    switch (m_connection->server()) {
    case OdbcConnection::Server::Informix:
    case OdbcConnection::Server::Sqlite: return u"rowid"_s;
    case OdbcConnection::Server::Other: break;
    }
    return {};
}

} // namespace quoll::connection::odbc
