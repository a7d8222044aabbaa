#include "connection/embedded/schemalookup.h"

#include <QHash>
#include <QSet>

#include <sqlite3.h>

#include <memory>
#include <optional>

namespace quoll::connection::embedded {

SchemaLookup storedSchema(sqlite3 *db)
{
    auto cache = std::make_shared<QHash<QString, std::vector<StoredColumn>>>();
    auto names = std::make_shared<std::optional<QSet<QString>>>();
    return [db, cache, names](const QString &table) -> std::vector<StoredColumn> {
        if (const auto it = cache->constFind(table); it != cache->constEnd())
            return *it;
        // The names of the tables and views, read once: most words asked
        // about are none, and need no look-up of their own.
        if (!*names) {
            names->emplace();
            sqlite3_stmt *list = nullptr;
            if (sqlite3_prepare_v2(db, "select lower(name) from sqlite_schema where type in ('table', 'view') union all "
                                       "select lower(name) from sqlite_temp_schema where type in ('table', 'view')",
                                   -1, &list, nullptr) == SQLITE_OK)
                while (sqlite3_step(list) == SQLITE_ROW)
                    (*names)->insert(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(list, 0))));
            sqlite3_finalize(list);
        }
        if (!(*names)->contains(table))
            return {};
        std::vector<StoredColumn> columns;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, "select name, type from pragma_table_info(?)", -1, &stmt, nullptr) == SQLITE_OK) {
            const QByteArray name = table.toUtf8();
            sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
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
        }
        sqlite3_finalize(stmt);
        cache->insert(table, columns);
        return columns;
    };
}

} // namespace quoll::connection::embedded
