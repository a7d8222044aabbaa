#include "connection/embedded/server/embeddedengine.h"

#include "connection/embedded/catalog/catalogstatements.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/rewrite/storagepipeline.h"
#include "connection/embedded/runtime/schemalookup.h"
#include "connection/embedded/runtime/sqlitecursor.h"
#include "connection/embedded/server/serverstatements.h"
#include "connection/embedded/sql/statementtokens.h"

#include <QStringList>

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

QString systemUser()
{
    for (const char *variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    return u"informix"_s;
}

void setText(std::array<char, 72> &field, const QString &text)
{
    const QByteArray bytes = text.toUtf8().left(qsizetype(field.size()) - 1);
    field.fill(0);
    std::memcpy(field.data(), bytes.constData(), size_t(bytes.size()));
}

// A prepared statement the server carries out in its catalog (SET ROLE,
// CREATE VIEW, GRANT ...): it runs as a whole when executed, as it does in
// direct execution. It takes no parameters.
class CatalogStatement : public PreparedStatement
{
public:
    explicit CatalogStatement(std::function<std::unique_ptr<Cursor>()> run) : m_run(std::move(run)) {}
    void bind(int, const QVariant &) override
    {
        throw EngineError(0, u"This statement takes no parameters."_s);
    }
    std::unique_ptr<Cursor> execute() override { return m_run(); }
    std::int64_t rowsAffected() const override { return 0; }

private:
    std::function<std::unique_ptr<Cursor>()> m_run;
};

} // namespace

EmbeddedEngine::EmbeddedEngine(EmbeddedServer server) : m_server(std::move(server))
{
    m_session.serverName = m_server.name();
}

EmbeddedEngine::~EmbeddedEngine()
{
    m_statements.clear();
    m_schema.forget();
    if (m_db)
        sqlite3_close_v2(m_db);
}

void EmbeddedEngine::connect(const ParameterList &parameters)
{
    if (m_connected)
        disconnect();
    const QString user = parameters.value(u"USER NAME"_s).trimmed();
    m_session.user = user.isEmpty() ? systemUser() : user;
    m_server.ensureExists(m_session.user);
    QString database = parameters.value(u"DATABASE NAME"_s).trimmed();
    if (database.isEmpty())
        database = QString::fromLatin1(EmbeddedServer::Sysmaster);
    switchDatabase(database);
    m_connected = true;
    m_area = {};
    m_lastError = {};
}

void EmbeddedEngine::disconnect()
{
    // A transaction left open ends with the connection, as on a server.
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "rollback", nullptr, nullptr, nullptr);
    closeDatabase();
    m_connected = false;
}

void EmbeddedEngine::requireConnected() const
{
    if (!m_connected)
        throw EngineError(0, u"Not connected to a database server."_s);
}

sqlite3 *EmbeddedEngine::database() const
{
    requireConnected();
    if (!m_db)
        throw informixError(InformixCode::DatabaseNotSelected);
    return m_db;
}

void EmbeddedEngine::closeDatabase()
{
    m_statements.clear();
    m_schema.forget();
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_session.database.clear();
    m_logging = false;
}

void EmbeddedEngine::switchDatabase(const QString &name)
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        throw informixError(InformixCode::AlreadyInTransaction);
    sqlite3 *db = m_server.open(name);   // raises -329 for an unknown name
    const bool logging = m_server.isLogging(name);
    closeDatabase();
    m_db = db;
    m_session.database = EmbeddedServer::normalName(name);
    m_logging = logging;
    registerFunctions(m_db, &m_session);
}

void EmbeddedEngine::startRun()
{
    m_catalogWrites.clear();
    m_session.lastArea = m_area;
    m_area = {};
    m_lastError = {};
}

void EmbeddedEngine::fail(Outcome &outcome, int code, const QString &parameter, qsizetype at)
{
    outcome.failed = true;
    outcome.failure.code = code;
    outcome.failure.message = informixMessage(code, parameter);
    outcome.failedAt = at;
}

namespace {

// A schema listing begins with the line naming the utility that wrote it
// ("DBSCHEMA Schema Utility  INFORMIX-SQL Version ..."), which is no SQL:
// blanked, so that a listing pasted whole runs from its first statement
// with every position where it was.
QString withoutListingHeader(const QString &sql)
{
    qsizetype at = 0;
    while (at < sql.size() && sql[at].isSpace())
        ++at;
    if (!QStringView(sql).mid(at).startsWith(u"dbschema schema utility"_s, Qt::CaseInsensitive))
        return sql;
    QString text = sql;
    for (; at < text.size() && text[at] != u'\n' && text[at] != u'\r'; ++at)
        text[at] = u' ';
    return text;
}

} // namespace

EmbeddedEngine::Outcome EmbeddedEngine::run(const QString &sql)
{
    startRun();
    Outcome outcome;
    try {
        requireConnected();
        // One reading of the statement serves every reader below.
        const QString text = withoutListingHeader(sql);
        const StatementTokens statement(text);
        if (!statement.empty() && !runServerStatement(statement, outcome))
            runInStorage(statement, outcome);
        noteSchemaChanges(statement);
    } catch (const StatementError &e) {
        fail(outcome, e.nativeCode(), {}, e.at());
        outcome.failure.message = e.message();
    } catch (const EngineError &e) {
        outcome.failed = true;
        outcome.failure.code = e.nativeCode();
        outcome.failure.message = e.message();
    }
    if (outcome.failed) {
        m_area.code = outcome.failure.code;
        m_area.errorOffset = outcome.failedAt >= 0 ? int(outcome.failedAt) + 1 : 0;
        m_lastError = {outcome.failure.code, outcome.failure.message.left(128)};
        setText(m_area.messageParameters, outcome.failure.message);
        outcome.cursor.reset();
    }
    return outcome;
}

// Rows change the data only; anything else (and SELECT ... INTO TEMP) may
// change what the tables' columns are.
void EmbeddedEngine::noteSchemaChanges(const StatementTokens &statement)
{
    if (statement.empty())
        return;
    const bool rows = statement.isWord(0, "insert") || statement.isWord(0, "update") || statement.isWord(0, "delete")
                      || (statement.isWord(0, "select") && !statement.sql().contains(u"temp"_s, Qt::CaseInsensitive));
    if (!rows)
        m_schema.schemaMayHaveChanged();
}

// Statements the server carries out itself; false when `words` is none.
DirectResult EmbeddedEngine::executeDirect(const QString &sql)
{
    if (!m_connected) {
        startRun();
        m_lastError = {0, u"Not connected to a database server."_s};
        return {StatusNotConnected, nullptr};
    }
    Outcome outcome = run(sql);
    DirectResult result;
    result.status = outcome.failed ? StatusSqlError : StatusOk;
    result.cursor = std::move(outcome.cursor);
    return result;
}

void EmbeddedEngine::execute(const QString &sql)
{
    Outcome outcome = run(sql);
    if (outcome.failed)
        throw outcome.failure.error();
}

std::unique_ptr<PreparedStatement> EmbeddedEngine::prepare(const QString &sql)
{
    // What a prepared statement will do is not known here.
    m_schema.schemaMayHaveChanged();
    requireConnected();
    // The server's own statements run whole when executed, as in direct
    // execution; they may stand where no database is open.
    const StatementTokens statement(sql);
    bool inCatalog = isServerStatement(statement);
    sqlite3 *db = inCatalog ? nullptr : database();
    try {
        inCatalog = inCatalog || planCatalogStatement({db, &m_session}, statement).has_value();
    } catch (const EngineError &) {
        inCatalog = true;   // one of its kinds, failing: it fails when run
    }
    const auto runWhole = [this, sql] {
        return std::make_unique<CatalogStatement>([this, sql] {
            Outcome outcome = run(sql);
            if (outcome.failed)
                throw outcome.failure.error();
            return std::move(outcome.cursor);
        });
    };
    if (inCatalog)
        return runWhole();
    const SchemaLookup schema = m_schema.lookup(db);
    const RewrittenSql rewritten = toStorage(sql, schema, m_session.database, &statement, synonymLookup(db)).rewritten;
    if (!rewritten.intoTemp().isEmpty())
        return runWhole();   // SELECT ... INTO TEMP makes its table as in direct execution
    const QByteArray utf8 = rewritten.text().toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        throw mapSqliteFailure(db, rc == SQLITE_OK ? SQLITE_ERROR : rc).error();
    }
    const bool isInsert = statement.isWord(0, "insert");
    auto handle = std::make_shared<StatementHandle>(stmt);
    return std::make_unique<SqliteStatement>(handle, [this, db, isInsert](int rc) {
        startRun();
        noteStorageRun(db, rc, isInsert);
    }, rewritten.dateColumns());
}

bool EmbeddedEngine::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

void EmbeddedEngine::startTransaction()
{
    sqlite3 *db = database();
    if (!m_logging)
        throw informixError(InformixCode::TransactionNotAvailable);
    if (inTransaction())
        throw informixError(InformixCode::AlreadyInTransaction);
    if (sqlite3_exec(db, "begin", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw mapSqliteFailure(db, sqlite3_errcode(db)).error();
}

void EmbeddedEngine::commit()
{
    sqlite3 *db = database();
    if (!inTransaction())
        throw informixError(InformixCode::NotInTransaction);
    if (sqlite3_exec(db, "commit", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw mapSqliteFailure(db, sqlite3_errcode(db)).error();
}

void EmbeddedEngine::rollback()
{
    // Rolling back takes back the schema changes of the transaction too.
    m_schema.schemaMayHaveChanged();
    sqlite3 *db = database();
    if (!inTransaction())
        throw informixError(InformixCode::NotInTransaction);
    if (sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw mapSqliteFailure(db, sqlite3_errcode(db)).error();
}

QStringList EmbeddedEngine::primaryKey(const QString &table)
{
    sqlite3 *db = database();
    sqlite3_stmt *stmt = nullptr;
    QStringList key;
    if (sqlite3_prepare_v2(db, "select name, pk from pragma_table_info(?) where pk > 0 order by pk", -1, &stmt,
                           nullptr) != SQLITE_OK)
        throw mapSqliteFailure(db, sqlite3_errcode(db)).error();
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        key.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))));
    sqlite3_finalize(stmt);
    return key;
}

} // namespace quoll::connection::embedded
