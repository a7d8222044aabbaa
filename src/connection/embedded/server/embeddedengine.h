#pragma once

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/server/embeddedserver.h"
#include "connection/embedded/runtime/schemalookup.h"
#include "connection/embedded/runtime/sqlfunctions.h"
#include "connection/embedded/rewrite/sqlrewriter.h"
#include "connection/embedded/server/sqliteerrors.h"
#include "connection/embedded/runtime/statementcache.h"
#include "connection/engine/engine.h"

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace quoll::connection::embedded {

class StatementTokens;

// The embedded Informix-compatible server as a back end: one connection to
// a server folder, in one database at a time (sysmaster after connecting).
// Statements of the server itself (database, create and drop database,
// transactions, isolation and lock modes) are carried out here; everything
// else is rewritten into the storage engine's dialect and run there, and its
// failures come back as Informix errors.
class EmbeddedEngine : public Engine
{
public:
    explicit EmbeddedEngine(EmbeddedServer server);
    ~EmbeddedEngine() override;

    const EmbeddedServer &server() const { return m_server; }
    // The database the connection is in, empty when none.
    QString currentDatabase() const { return m_session.database; }

    void connect(const ParameterList &parameters) override;
    void disconnect() override;
    bool isConnected() const override { return m_connected; }

    void execute(const QString &sql) override;
    std::unique_ptr<PreparedStatement> prepare(const QString &sql) override;

    DirectResult executeDirect(const QString &sql) override;
    ErrorEntry lastError() const override { return m_lastError; }
    CommunicationArea communicationArea() const override { return m_area; }

    bool inTransaction() const override;
    void startTransaction() override;
    void commit() override;
    void rollback() override;

    QStringList primaryKey(const QString &table) override;

    // The catalog writes of the last statement, in order, as values.
    const std::vector<CatalogWrite> &lastCatalogWrites() const { return m_catalogWrites; }
    QString rowIdentity() const override { return QStringLiteral("rowid"); }

private:
    struct Outcome
    {
        std::unique_ptr<Cursor> cursor;
        bool failed = false;
        ServerFailure failure;
        qsizetype failedAt = -1;   // index in the user's statement
    };

    Outcome run(const QString &sql);
    // The server's own statements (serverstatements.cpp); false when
    // `statement` is none of them.
    bool runServerStatement(const StatementTokens &statement, Outcome &outcome);
    void noteSchemaChanges(const StatementTokens &statement);
    // The rest, with the catalog's part (storagerun.cpp).
    void runInStorage(const StatementTokens &statement, Outcome &outcome);
    // Runs one statement in the storage engine; false when it failed.
    // `known`: the reading of `source`'s text when the caller has it.
    // `created`: a table the statement creates, known to its rewriting
    // before it is stored.
    bool runStorageStatement(const RewrittenSql &source, Outcome &outcome, const StatementTokens *known = nullptr,
                             const std::pair<QString, std::vector<StoredColumn>> *created = nullptr);
    sqlite3_stmt *keptInsert(const QString &sql);
    // The synonyms of the open database, for the table a statement writes to.
    SynonymLookup synonymLookup(sqlite3 *db);
    void selectIntoTemp(const RewrittenSql &query);
    void switchDatabase(const QString &name);
    void closeDatabase();
    void requireConnected() const;
    sqlite3 *database() const;
    void startRun();
    void fail(Outcome &outcome, int code, const QString &parameter, qsizetype at);
    void noteStorageRun(sqlite3 *db, int rc, bool isInsert);

    EmbeddedServer m_server;
    sqlite3 *m_db = nullptr;
    SchemaCache m_schema;   // the open database's table columns
    StatementCache m_statements;   // inserts of the open database, by shape
    bool m_connected = false;
    bool m_logging = false;
    SessionInfo m_session;
    CommunicationArea m_area;
    ErrorEntry m_lastError;
    std::vector<CatalogWrite> m_catalogWrites;
};

} // namespace quoll::connection::embedded
