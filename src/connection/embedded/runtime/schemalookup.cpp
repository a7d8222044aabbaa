#include "connection/embedded/runtime/schemalookup.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>

#include <unordered_map>

#include <sqlite3.h>

#include <memory>
#include <optional>

namespace quoll::connection::embedded {

namespace {

// One prepared column query shared by the look-ups of a statement.
struct ColumnQuery
{
    sqlite3_stmt *stmt = nullptr;
    ~ColumnQuery() { sqlite3_finalize(stmt); }
};

} // namespace

namespace {

// Nodes stay where they are when others are added: look-ups hand out
// references to them.
using TableColumns = std::unordered_map<QString, std::vector<StoredColumn>>;

SchemaLookup lookupWith(sqlite3 *db, std::shared_ptr<TableColumns> cache, std::shared_ptr<ColumnQuery> query)
{
    return [db, cache, query](const QString &table) -> const std::vector<StoredColumn> & {
        if (const auto it = cache->find(table); it != cache->end())
            return it->second;
        // The storage engine finds a table by name in its own schema (no
        // scan of the schema table, which holds thousands of rows in a big
        // catalog); a word that names no table gives no columns.
        if (!query->stmt
            && sqlite3_prepare_v2(db, "select name, type from pragma_table_info(?)", -1, &query->stmt, nullptr)
                   != SQLITE_OK) {
            static const std::vector<StoredColumn> none;
            return none;
        }
        sqlite3_stmt *stmt = query->stmt;
        sqlite3_reset(stmt);
        const QByteArray name = table.toUtf8();
        sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        std::vector<StoredColumn> columns;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const auto text = [stmt](int i) {
                const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
                return QString::fromUtf8(t ? t : "");
            };
            QString type = text(1).trimmed().toUpper();
            if (type.size() >= 2 && type.front() == u'"' && type.back() == u'"')
                type = type.mid(1, type.size() - 2);
            columns.push_back({text(0).toLower(), type});
        }
        sqlite3_reset(stmt);
        return cache->insert_or_assign(table, std::move(columns)).first->second;
    };
}

int intOf(sqlite3_stmt *stmt)
{
    int value = -1;
    if (stmt && sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int(stmt, 0);
    sqlite3_reset(stmt);
    return value;
}

} // namespace

SchemaLookup storedSchema(sqlite3 *db)
{
    return lookupWith(db, std::make_shared<TableColumns>(), std::make_shared<ColumnQuery>());
}

struct SchemaCache::State
{
    sqlite3 *db = nullptr;
    ColumnQuery mainVersion;
    ColumnQuery tempVersion;
    int knownMain = -1;
    int knownTemp = -1;
    QElapsedTimer sinceCheck;
    std::shared_ptr<TableColumns> tables = std::make_shared<TableColumns>();
    std::shared_ptr<ColumnQuery> columns = std::make_shared<ColumnQuery>();
    std::optional<QSet<QString>> views;   // read at the first question after a change
};

SchemaCache::~SchemaCache()
{
    forget();
}

void SchemaCache::forget()
{
    delete m_state;
    m_state = nullptr;
}

bool SchemaCache::schemaChanged()
{
    State &s = *m_state;
    constexpr qint64 OtherConnectionsLagMs = 250;
    if (!m_dirty && s.sinceCheck.isValid() && s.sinceCheck.elapsed() < OtherConnectionsLagMs)
        return false;
    m_dirty = false;
    s.sinceCheck.start();
    const int main = intOf(s.mainVersion.stmt);
    const int temp = intOf(s.tempVersion.stmt);
    const bool changed = main < 0 || temp < 0 || main != s.knownMain || temp != s.knownTemp;
    s.knownMain = main;
    s.knownTemp = temp;
    return changed;
}

SchemaLookup SchemaCache::lookup(sqlite3 *db)
{
    if (m_state && m_state->db != db)
        forget();
    if (!m_state) {
        m_state = new State;
        m_state->db = db;
        sqlite3_prepare_v2(db, "pragma main.schema_version", -1, &m_state->mainVersion.stmt, nullptr);
        sqlite3_prepare_v2(db, "pragma temp.schema_version", -1, &m_state->tempVersion.stmt, nullptr);
    }
    if (schemaChanged()) {
        m_state->tables = std::make_shared<TableColumns>();
        // The column query's plan depends on the schema too.
        m_state->columns = std::make_shared<ColumnQuery>();
        m_state->views.reset();
    }
    return lookupWith(db, m_state->tables, m_state->columns);
}

bool SchemaCache::isView(const QString &name)
{
    return views().contains(name);
}

const QSet<QString> &SchemaCache::views()
{
    static const QSet<QString> none;
    if (!m_state)
        return none;
    if (!m_state->views) {
        QSet<QString> views;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_state->db, "select lower(name) from sqlite_master where type = 'view'", -1, &stmt,
                               nullptr)
            == SQLITE_OK)
            while (sqlite3_step(stmt) == SQLITE_ROW)
                views.insert(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))));
        sqlite3_finalize(stmt);
        m_state->views = std::move(views);
    }
    return *m_state->views;
}

} // namespace quoll::connection::embedded
