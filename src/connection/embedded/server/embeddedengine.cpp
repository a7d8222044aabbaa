#include "connection/embedded/server/embeddedengine.h"

#include "connection/embedded/catalog/catalogstatements.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/rewrite/insertparameters.h"
#include "connection/embedded/rewrite/storagepipeline.h"
#include "connection/embedded/runtime/schemalookup.h"
#include "connection/embedded/runtime/sqlitecursor.h"
#include "connection/embedded/sql/sqllexer.h"

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

template <size_t N>
bool isWord(QStringView sql, const SqlToken &t, const char (&word)[N])
{
    return isKeyword(sql, t, QLatin1StringView(word, N - 1));
}

bool isSymbol(QStringView sql, const SqlToken &t, QChar symbol)
{
    return t.kind == SqlToken::Kind::Symbol && sql[t.begin] == symbol;
}

// Whether what follows a prepared statement is only blanks and semicolons,
// as it mostly is: anything else must be read as tokens.
bool isPlainTail(QByteArrayView tail)
{
    return std::all_of(tail.begin(), tail.end(),
                       [](char c) { return c == ';' || c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

// The words of a statement (its non-blank tokens) without its trailing
// semicolons.
std::vector<SqlToken> statementWords(QStringView sql, const std::vector<SqlToken> &tokens)
{
    std::vector<SqlToken> words = significant(tokens);
    while (!words.empty() && isSymbol(sql, words.back(), u';'))
        words.pop_back();
    return words;
}

std::vector<SqlToken> statementWords(QStringView sql)
{
    return statementWords(sql, tokenize(sql));
}

void setText(std::array<char, 72> &field, const QString &text)
{
    const QByteArray bytes = text.toUtf8().left(qsizetype(field.size()) - 1);
    field.fill(0);
    std::memcpy(field.data(), bytes.constData(), size_t(bytes.size()));
}

// Where the object a failure names first stands in the statement, -1 when
// it does not; the storage engine gives no position for some failures.
qsizetype nameOffset(QStringView sql, const QString &name)
{
    if (name.isEmpty())
        return -1;
    const QString last = name.section(u'.', -1);
    for (const SqlToken &t : significant(tokenize(sql)))
        if (t.kind == SqlToken::Kind::Word && tokenText(sql, t).compare(last, Qt::CaseInsensitive) == 0)
            return t.begin;
    return -1;
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

// The statements runServerStatement carries out: database, close, create
// and drop database, transactions and the session settings.
bool isServerStatement(QStringView sql, const std::vector<SqlToken> &words)
{
    const auto word = [&]<size_t N>(size_t i, const char (&w)[N]) { return i < words.size() && isWord(sql, words[i], w); };
    if (word(0, "database") || (word(0, "close") && word(1, "database"))
        || ((word(0, "create") || word(0, "drop")) && word(1, "database")))
        return true;
    if (word(0, "begin") || word(0, "commit") || word(0, "rollback"))
        return words.size() == 1 || (words.size() == 2 && word(1, "work"));
    return word(0, "set")
           && (word(1, "isolation") || (word(1, "lock") && word(2, "mode")) || word(1, "explain")
               || word(1, "pdqpriority") || word(1, "optimization") || word(1, "deferred_prepare"));
}

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

EmbeddedEngine::Outcome EmbeddedEngine::run(const QString &sql)
{
    startRun();
    Outcome outcome;
    try {
        requireConnected();
        // One reading of the statement serves every pass below.
        const std::vector<SqlToken> tokens = tokenize(sql);
        const std::vector<SqlToken> words = statementWords(sql, tokens);
        if (!words.empty() && !runServerStatement(sql, words, outcome))
            runInStorage(sql, tokens, words, outcome);
        noteSchemaChanges(sql, words);
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
void EmbeddedEngine::noteSchemaChanges(const QString &sql, const std::vector<SqlToken> &words)
{
    if (words.empty())
        return;
    const SqlToken &first = words.front();
    const bool rows = isWord(sql, first, "insert") || isWord(sql, first, "update") || isWord(sql, first, "delete")
                      || (isWord(sql, first, "select") && !sql.contains(u"temp"_s, Qt::CaseInsensitive));
    if (!rows)
        m_schema.schemaMayHaveChanged();
}

// Statements the server carries out itself; false when `words` is none.
bool EmbeddedEngine::runServerStatement(const QString &sql, const std::vector<SqlToken> &words, Outcome &outcome)
{
    const auto word = [&]<size_t N>(size_t i, const char (&w)[N]) { return i < words.size() && isWord(sql, words[i], w); };
    const auto nameAt = [&](size_t i) -> QString {
        if (i >= words.size())
            return {};
        const SqlToken &t = words[i];
        if (t.kind == SqlToken::Kind::String || t.kind == SqlToken::Kind::QuotedString)
            return stringValue(sql, t);
        return t.kind == SqlToken::Kind::Word ? tokenText(sql, t).toString() : QString();
    };
    const auto errorAt = [&](size_t i) { return i < words.size() ? words[i].begin : sql.size(); };

    if (word(0, "database") && words.size() >= 2) {
        const QString name = nameAt(1);
        const bool exclusive = word(2, "exclusive");
        if (name.isEmpty() || words.size() > (exclusive ? 3u : 2u)) {
            fail(outcome, InformixCode::SyntaxError, {}, errorAt(name.isEmpty() ? 1 : (exclusive ? 3 : 2)));
            return true;
        }
        if (!m_server.hasDatabase(name)) {
            fail(outcome, InformixCode::DatabaseNotFound, {}, errorAt(1));
            return true;
        }
        switchDatabase(name);
        m_area.warnings.fill(' ');
        m_area.warnings[0] = 'W';
        m_area.warnings[1] = m_logging ? 'W' : ' ';
        m_area.warnings[3] = 'W';
        return true;
    }
    if (word(0, "close") && word(1, "database") && words.size() == 2) {
        if (m_db && !sqlite3_get_autocommit(m_db)) {
            fail(outcome, InformixCode::AlreadyInTransaction, {}, errorAt(0));
            return true;
        }
        closeDatabase();
        return true;
    }
    if (word(0, "create") && word(1, "database")) {
        const QString name = nameAt(2);
        size_t i = 3;
        if (word(i, "in")) // dbspace: accepted and ignored
            i += 2;
        bool logging = false;
        if (word(i, "with")) {
            ++i;
            if (word(i, "buffered"))
                ++i;
            if (!word(i, "log")) {
                fail(outcome, InformixCode::SyntaxError, {}, errorAt(i));
                return true;
            }
            ++i;
            if (word(i, "mode") && word(i + 1, "ansi"))
                i += 2;
            logging = true;
        }
        if (name.isEmpty() || i != words.size()) {
            fail(outcome, InformixCode::SyntaxError, {}, errorAt(name.isEmpty() ? 2 : i));
            return true;
        }
        if (!EmbeddedServer::isValidName(name) || m_server.hasDatabase(name)) {
            fail(outcome, InformixCode::CannotCreateDatabase, {}, errorAt(2));
            return true;
        }
        m_server.createDatabase(name, m_session.user, logging);
        switchDatabase(name);   // as on a server, the new database becomes current
        m_area.warnings.fill(' ');
        m_area.warnings[0] = 'W';
        m_area.warnings[1] = logging ? 'W' : ' ';
        m_area.warnings[3] = 'W';
        return true;
    }
    if (word(0, "drop") && word(1, "database")) {
        const QString name = nameAt(2);
        if (name.isEmpty() || words.size() != 3) {
            fail(outcome, InformixCode::SyntaxError, {}, errorAt(name.isEmpty() ? 2 : 3));
            return true;
        }
        if (!m_server.hasDatabase(name) || EmbeddedServer::normalName(name) == QLatin1String(EmbeddedServer::Sysmaster)) {
            fail(outcome, InformixCode::DatabaseNotFound, {}, errorAt(2));
            return true;
        }
        if (EmbeddedServer::normalName(name) == m_session.database)
            closeDatabase();
        m_server.dropDatabase(name);
        return true;
    }
    if ((word(0, "begin") && (words.size() == 1 || (word(1, "work") && words.size() == 2)))
        || (word(0, "commit") && (words.size() == 1 || (word(1, "work") && words.size() == 2)))
        || (word(0, "rollback") && (words.size() == 1 || (word(1, "work") && words.size() == 2)))) {
        try {
            if (word(0, "begin"))
                startTransaction();
            else if (word(0, "commit"))
                commit();
            else
                rollback();
        } catch (const EngineError &e) {
            fail(outcome, e.nativeCode(), {}, errorAt(0));
        }
        return true;
    }
    if (word(0, "set") && (word(1, "isolation") || (word(1, "lock") && word(2, "mode")) || word(1, "explain")
                           || word(1, "pdqpriority") || word(1, "optimization") || word(1, "deferred_prepare"))) {
        // Accepted: the embedded server has one connection per file and no
        // lock waits or plans to tune.
        database();
        return true;
    }
    return false;
}

void EmbeddedEngine::noteStorageRun(sqlite3 *db, int rc, bool isInsert)
{
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        return;
    m_area.rowsProcessed = int(sqlite3_changes64(db));
    if (isInsert && m_area.rowsProcessed > 0) {
        const qint64 rowid = sqlite3_last_insert_rowid(db);
        m_area.serialOrSecondary = int(rowid);
        m_area.rowId = int(rowid);
    }
}

void EmbeddedEngine::runInStorage(const QString &sql, const std::vector<SqlToken> &tokens,
                                  const std::vector<SqlToken> &words, Outcome &outcome)
{
    sqlite3 *db = database();
    std::optional<CatalogPlan> plan;
    try {
        plan = planCatalogStatement({db, &m_session}, sql, words);
    } catch (const StatementError &e) {
        fail(outcome, e.nativeCode(), {}, e.at());
        outcome.failure.message = e.message();
        return;
    }
    if (!plan) {
        runStorageStatement(unchanged(sql), outcome, &words, &tokens);
        return;
    }
    // The statement and its catalog rows succeed or fail together.
    sqlite3_exec(db, "savepoint quoll_ddl", nullptr, nullptr, nullptr);
    if (plan->storage
        && !runStorageStatement(*plan->storage, outcome, nullptr, nullptr,
                                plan->createdTable ? &*plan->createdTable : nullptr)) {
        sqlite3_exec(db, "rollback to quoll_ddl; release quoll_ddl", nullptr, nullptr, nullptr);
        return;
    }
    outcome.cursor.reset();
    try {
        if (plan->record)
            plan->record();
        sqlite3_exec(db, "release quoll_ddl", nullptr, nullptr, nullptr);
    } catch (const EngineError &e) {
        sqlite3_exec(db, "rollback to quoll_ddl; release quoll_ddl", nullptr, nullptr, nullptr);
        const auto *positioned = dynamic_cast<const StatementError *>(&e);
        fail(outcome, e.nativeCode(), {}, positioned ? positioned->at() : 0);
        outcome.failure.message = e.message();
    }
}

bool EmbeddedEngine::runStorageStatement(const RewrittenSql &source, Outcome &outcome,
                                         const std::vector<SqlToken> *knownWords,
                                         const std::vector<SqlToken> *knownTokens,
                                         const std::pair<QString, std::vector<StoredColumn>> *created)
{
    sqlite3 *db = database();
    const QString &sql = source.text();
    SchemaLookup schema = m_schema.lookup(db);
    if (created) {
        schema = [stored = std::move(schema), created](const QString &table) -> const std::vector<StoredColumn> & {
            return table == created->first ? created->second : stored(table);
        };
    }
    StorageSql storage;
    try {
        storage = toStorage(sql, schema, m_session.database, knownTokens);
    } catch (const StatementError &e) {
        fail(outcome, e.nativeCode(), {}, source.originalIndex(e.at()));
        return false;
    }
    const RewrittenSql &rewritten = storage.rewritten;
    const QByteArray utf8 = rewritten.text().toUtf8();
    const auto userIndex = [&](qsizetype index) { return source.originalIndex(storage.userIndex(index)); };
    const auto failAtByte = [&](int rc) {
        outcome.failed = true;
        outcome.failure = mapSqliteFailure(db, rc);
        const int offset = outcome.failure.byteOffset;
        if (offset >= 0) {
            const qsizetype index = QString::fromUtf8(utf8.constData(), std::min<qsizetype>(offset, utf8.size())).size();
            outcome.failedAt = userIndex(index);
        } else {
            const qsizetype at = nameOffset(sql, outcome.failure.name);
            outcome.failedAt = at >= 0 ? source.originalIndex(at) : -1;
        }
    };

    std::vector<SqlToken> ownWords;
    if (!knownWords)
        ownWords = statementWords(sql);
    const std::vector<SqlToken> &words = knownWords ? *knownWords : ownWords;
    const bool isInsert = !words.empty() && isWord(sql, words.front(), "insert");

    std::shared_ptr<StatementHandle> handle;
    sqlite3_stmt *stmt = nullptr;
    int rc = SQLITE_OK;
    bool ran = false;
    if (sqlite3_stmt *kept = isInsert ? keptInsert(rewritten.text()) : nullptr) {
        rc = sqlite3_step(kept);
        noteStorageRun(db, rc, isInsert);
        ran = rc == SQLITE_ROW || rc == SQLITE_DONE;
        if (!ran) {
            const ServerFailure failure = mapSqliteFailure(db, rc);
            // A place in the text is one in the text with parameters: the
            // statement, which changed nothing, is then run as written to
            // find it. Without one the name the failure gives tells where.
            if (failure.byteOffset < 0) {
                outcome.failed = true;
                outcome.failure = failure;
                const qsizetype at = nameOffset(sql, failure.name);
                outcome.failedAt = at >= 0 ? source.originalIndex(at) : -1;
            }
        }
        sqlite3_reset(kept);
        sqlite3_clear_bindings(kept);
        if (outcome.failed)
            return false;
        stmt = kept;
    }
    if (!ran) {
        const char *tail = nullptr;
        rc = sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), 0, &stmt, &tail);
        if (rc != SQLITE_OK) {
            failAtByte(rc);
            return false;
        }
        if (!stmt)
            return true; // only blanks and comments
        handle = std::make_shared<StatementHandle>(stmt);
        // One statement at a time: anything but semicolons after it is an error.
        const qsizetype tailBytes = tail ? qsizetype(tail - utf8.constData()) : utf8.size();
        const QByteArrayView tailText(utf8.constData() + tailBytes, utf8.size() - tailBytes);
        if (!isPlainTail(tailText)) {
            const QString rest = QString::fromUtf8(tailText);
            for (const SqlToken &t : significant(tokenize(rest))) {
                if (!isSymbol(rest, t, u';')) {
                    const qsizetype index = QString::fromUtf8(utf8.constData(), tailBytes).size() + t.begin;
                    fail(outcome, InformixCode::SyntaxError, {}, userIndex(index));
                    return false;
                }
            }
        }
        if (!rewritten.intoTemp().isEmpty()) {
            handle.reset();
            try {
                selectIntoTemp(rewritten);
            } catch (const EngineError &e) {
                fail(outcome, e.nativeCode(), {}, -1);
                outcome.failure.message = e.message();
                return false;
            }
            return true;
        }
        rc = sqlite3_step(stmt);
        noteStorageRun(db, rc, isInsert);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            failAtByte(rc);
            return false;
        }
    }
    if (isInsert && m_area.rowsProcessed > 0 && words.size() > 2 && isWord(sql, words[1], "into")) {
        // The serial value is the number a SERIAL column was given; the
        // table is named without its owner.
        const QString &unowned = storage.unowned ? storage.unowned->text() : sql;
        const std::vector<SqlToken> table = storage.unowned ? statementWords(unowned) : words;
        const QString name = lowerWord(unowned, table[2]);
        // Only a table with a SERIAL column has a counter to read.
        const std::vector<StoredColumn> &columns = schema(name);
        const bool numbered = std::any_of(columns.begin(), columns.end(), [](const StoredColumn &c) {
            return c.type.startsWith(u"SERIAL"_s) || c.type.startsWith(u"BIGSERIAL"_s);
        });
        const qint64 serial = numbered ? lastSerial(db, name) : 0;
        if (serial != 0)
            m_area.serialOrSecondary = int(serial);
    }
    if (handle && sqlite3_column_count(stmt) > 0)
        outcome.cursor = std::make_unique<SqliteCursor>(handle, rc == SQLITE_ROW, rewritten.dateColumns());
    return true;
}

// The prepared statement for an INSERT ... VALUES with its constants bound,
// kept from an insert of the same shape or prepared now; null when the
// statement is of no such shape or its shape does not prepare alone (it is
// then run as written, which tells why).
sqlite3_stmt *EmbeddedEngine::keptInsert(const QString &sql)
{
    const std::optional<ParameterizedInsert> insert = parameterizeInsert(sql);
    if (!insert)
        return nullptr;
    sqlite3_stmt *stmt = m_statements.find(insert->sql);
    if (!stmt) {
        const char *tail = nullptr;
        const int rc = sqlite3_prepare_v3(m_db, insert->sql.constData(), int(insert->sql.size()),
                                          SQLITE_PREPARE_PERSISTENT, &stmt, &tail);
        const QByteArrayView rest(tail ? tail : insert->sql.constData() + insert->sql.size(),
                                  insert->sql.constData() + insert->sql.size());
        if (rc != SQLITE_OK || !stmt || !isPlainTail(rest) || sqlite3_column_count(stmt) != 0
            || sqlite3_bind_parameter_count(stmt) != int(insert->values.size())) {
            sqlite3_finalize(stmt);
            return nullptr;
        }
        m_statements.insert(insert->sql, stmt);
    }
    for (size_t i = 0; i < insert->values.size(); ++i) {
        const int index = int(i) + 1;
        const ParameterizedInsert::Value &value = insert->values[i];
        const QByteArrayView text = value.isText ? insert->text(value) : QByteArrayView();
        const int rc = value.isText ? sqlite3_bind_text(stmt, index, text.data(), int(text.size()), SQLITE_TRANSIENT)
                                    : sqlite3_bind_int64(stmt, index, value.integer);
        if (rc != SQLITE_OK) {
            sqlite3_clear_bindings(stmt);
            return nullptr;
        }
    }
    return stmt;
}

// SELECT ... INTO TEMP t: a temporary table of the query's columns, with
// their declared types, filled with its rows. Raises EngineError.
void EmbeddedEngine::selectIntoTemp(const RewrittenSql &query)
{
    sqlite3 *db = database();
    const QByteArray select = query.text().toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, select.constData(), int(select.size()), &stmt, nullptr) != SQLITE_OK)
        throw mapSqliteFailure(db, sqlite3_errcode(db)).error();
    QStringList columns;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        QString name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        if (name.contains(u'(') || name.contains(u' ') || name.contains(u"quoll_"_s))
            name = u"expr%1"_s.arg(i + 1);
        const char *declared = sqlite3_column_decltype(stmt, i);
        QString type = QString::fromUtf8(declared ? declared : "");
        if (type.isEmpty() && query.dateColumns().at(i, sqlite3_column_count(stmt)))
            type = u"DATE"_s;
        if (type.contains(u' ') && !type.startsWith(u'"'))
            type = u'"' + type + u'"';
        columns.append(u'"' + name + u"\" "_s + type);
    }
    sqlite3_finalize(stmt);
    const QString table = u"temp.\""_s + query.intoTemp() + u'"';
    const QByteArray create = (u"create table "_s + table + u" ("_s + columns.join(u", "_s) + u')').toUtf8();
    if (sqlite3_exec(db, create.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw mapSqliteFailure(db, sqlite3_errcode(db)).error();
    const QByteArray fill = (u"insert into "_s + table + u' ').toUtf8() + select;
    if (sqlite3_exec(db, fill.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        const ServerFailure failure = mapSqliteFailure(db, sqlite3_errcode(db));
        sqlite3_exec(db, ("drop table " + table.toUtf8()).constData(), nullptr, nullptr, nullptr);
        throw failure.error();
    }
    m_area.rowsProcessed = int(sqlite3_changes64(db));
}

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
    bool inCatalog = isServerStatement(sql, statementWords(sql));
    sqlite3 *db = inCatalog ? nullptr : database();
    try {
        inCatalog = inCatalog || planCatalogStatement({db, &m_session}, sql, statementWords(sql)).has_value();
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
    const RewrittenSql rewritten = toStorage(sql, m_schema.lookup(db), m_session.database).rewritten;
    if (!rewritten.intoTemp().isEmpty())
        return runWhole();   // SELECT ... INTO TEMP makes its table as in direct execution
    const QByteArray utf8 = rewritten.text().toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        throw mapSqliteFailure(db, rc == SQLITE_OK ? SQLITE_ERROR : rc).error();
    }
    const std::vector<SqlToken> words = statementWords(sql);
    const bool isInsert = !words.empty() && isWord(sql, words.front(), "insert");
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
