#include "connection/embedded/server/embeddedengine.h"

#include "connection/embedded/catalog/catalogstatements.h"
#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/rewrite/insertparameters.h"
#include "connection/embedded/rewrite/storagepipeline.h"
#include "connection/embedded/runtime/sqlitecursor.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementtokens.h"

#include <QStringList>

#include <sqlite3.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

// Running a statement in the storage engine: the catalog's plan and the
// statement in one savepoint, the rewritten text prepared (or an insert of
// a known shape reused), its failure told at the user's position, and
// SELECT ... INTO TEMP.

namespace quoll::connection::embedded {

namespace {

// Whether what follows a prepared statement is only blanks and semicolons,
// as it mostly is: anything else must be read as tokens.
bool isPlainTail(QByteArrayView tail)
{
    return std::all_of(tail.begin(), tail.end(),
                       [](char c) { return c == ';' || c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

// Where the object a failure names first stands in the statement, -1 when
// it does not; the storage engine gives no position for some failures.
qsizetype nameOffset(QStringView sql, const QString &name)
{
    return name.isEmpty() ? -1 : StatementTokens(sql).wordPosition(name.section(u'.', -1));
}

// A table the storage engine does not know may be a synonym of a table in
// another database: the catalog keeps those, the embedded server cannot
// reach them, and says so.
void explainRemoteSynonym(sqlite3 *db, ServerFailure &failure)
{
    if (failure.code != InformixCode::TableNotInDatabase || failure.name.isEmpty())
        return;
    const QList<QList<QVariant>> rows =
        catalogRows(db,
                    "select y.dbname, y.owner, y.tabname from systables s join syssyntable y on y.tabid = s.tabid "
                    "where s.tabname = ? and s.tabtype in ('S', 'P') and y.btabid is null",
                    {failure.name.section(u'.', -1).toLower()});
    if (rows.isEmpty())
        return;
    const QList<QVariant> &r = rows.front();
    const QString target = r[0].toString() + u':' + r[1].toString() + u'.' + r[2].toString();
    failure.code = InformixCode::NotSupported;
    failure.message = informixMessage(InformixCode::NotSupported,
                                      u"synonym (%1) of a table in another database (%2)"_s.arg(failure.name, target));
}

} // namespace

SynonymLookup EmbeddedEngine::synonymLookup(sqlite3 *db)
{
    // Synonyms of this database are views of the storage engine: without
    // views there is none to look up.
    if (!m_schema.hasViews())
        return {};
    return [this, db](const QString &name) -> QString {
        if (!m_schema.isView(name))
            return {};
        return catalogText(db,
                           "select b.tabname from systables s join syssyntable y on y.tabid = s.tabid "
                           "join systables b on b.tabid = y.btabid where s.tabname = ? and s.tabtype in ('S', 'P')",
                           {name})
            .value_or(QString())
            .toLower();
    };
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

void EmbeddedEngine::runInStorage(const StatementTokens &statement, Outcome &outcome)
{
    sqlite3 *db = database();
    std::optional<CatalogPlan> plan;
    try {
        plan = planCatalogStatement({db, &m_session}, statement);
    } catch (const StatementError &e) {
        fail(outcome, e.nativeCode(), {}, e.at());
        outcome.failure.message = e.message();
        return;
    }
    if (!plan) {
        runStorageStatement(unchanged(statement.sql()), outcome, &statement);
        return;
    }
    // The statement and its catalog rows succeed or fail together.
    sqlite3_exec(db, "savepoint quoll_ddl", nullptr, nullptr, nullptr);
    if (plan->storage
        && !runStorageStatement(*plan->storage, outcome, nullptr,
                                plan->createdTable ? &*plan->createdTable : nullptr)) {
        sqlite3_exec(db, "rollback to quoll_ddl; release quoll_ddl", nullptr, nullptr, nullptr);
        return;
    }
    outcome.cursor.reset();
    try {
        CatalogWriter writer(db);
        if (plan->record)
            plan->record(writer);
        m_catalogWrites = writer.writes();
        sqlite3_exec(db, "release quoll_ddl", nullptr, nullptr, nullptr);
    } catch (const EngineError &e) {
        sqlite3_exec(db, "rollback to quoll_ddl; release quoll_ddl", nullptr, nullptr, nullptr);
        const auto *positioned = dynamic_cast<const StatementError *>(&e);
        fail(outcome, e.nativeCode(), {}, positioned ? positioned->at() : 0);
        outcome.failure.message = e.message();
    }
}

bool EmbeddedEngine::runStorageStatement(const RewrittenSql &source, Outcome &outcome,
                                         const StatementTokens *known,
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
        storage = toStorage(sql, schema, m_session.database, known, synonymLookup(db));
    } catch (const StatementError &e) {
        fail(outcome, e.nativeCode(), {}, source.originalIndex(e.at()));
        outcome.failure.message = e.message();
        return false;
    }
    const RewrittenSql &rewritten = storage.rewritten;
    const QByteArray utf8 = rewritten.text().toUtf8();
    const auto userIndex = [&](qsizetype index) { return source.originalIndex(storage.userIndex(index)); };
    const auto failAtByte = [&](int rc) {
        outcome.failed = true;
        outcome.failure = mapSqliteFailure(db, rc);
        explainRemoteSynonym(db, outcome.failure);
        const int offset = outcome.failure.byteOffset;
        if (offset >= 0) {
            const qsizetype index = QString::fromUtf8(utf8.constData(), std::min<qsizetype>(offset, utf8.size())).size();
            outcome.failedAt = userIndex(index);
        } else {
            const qsizetype at = nameOffset(sql, outcome.failure.name);
            outcome.failedAt = at >= 0 ? source.originalIndex(at) : -1;
        }
    };

    std::optional<StatementTokens> own;
    if (!known)
        own.emplace(sql);
    const StatementTokens &words = known ? *known : *own;
    const bool isInsert = words.isWord(0, "insert");

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
            const StatementTokens tailTokens(rest);
            for (size_t k = 0; k < tailTokens.size(); ++k) {
                if (!tailTokens.isSymbol(k, u';')) {
                    const qsizetype index = QString::fromUtf8(utf8.constData(), tailBytes).size() + tailTokens[k].begin;
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
    if (isInsert && m_area.rowsProcessed > 0 && words.size() > 2 && words.isWord(1, "into")) {
        // The serial value is the number a SERIAL column was given; the
        // table is named without its owner.
        const QString name = storage.unowned ? StatementTokens(storage.unowned->text()).lower(2) : words.lower(2);
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

} // namespace quoll::connection::embedded
