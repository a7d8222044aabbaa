#include "connection/embedded/schemalookup.h"

#include <QHash>

#include <sqlite3.h>

#include <memory>

namespace quoll::connection::embedded {

namespace {

// One prepared column query shared by the look-ups of a statement.
struct ColumnQuery
{
    sqlite3_stmt *stmt = nullptr;
    ~ColumnQuery() { sqlite3_finalize(stmt); }
};

} // namespace

SchemaLookup storedSchema(sqlite3 *db)
{
    auto cache = std::make_shared<QHash<QString, std::vector<StoredColumn>>>();
    auto query = std::make_shared<ColumnQuery>();
    return [db, cache, query](const QString &table) -> std::vector<StoredColumn> {
        if (const auto it = cache->constFind(table); it != cache->constEnd())
            return *it;
        // The storage engine finds a table by name in its own schema (no
        // scan of the schema table, which holds thousands of rows in a big
        // catalog); a word that names no table gives no columns.
        if (!query->stmt
            && sqlite3_prepare_v2(db, "select name, type from pragma_table_info(?)", -1, &query->stmt, nullptr)
                   != SQLITE_OK)
            return {};
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
        cache->insert(table, columns);
        return columns;
    };
}

} // namespace quoll::connection::embedded
