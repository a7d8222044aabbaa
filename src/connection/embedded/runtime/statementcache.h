#pragma once

#include <QByteArray>

#include <utility>
#include <vector>

struct sqlite3_stmt;

namespace quoll::connection::embedded {

// The storage engine's prepared statements of one connection, by their
// text, the most recently used kept: preparing costs as much as running a
// small insert. The storage engine prepares a kept statement again by
// itself when the schema has changed. Finalizes what it keeps when cleared
// or destroyed, which must happen before the connection closes.
class StatementCache
{
public:
    explicit StatementCache(size_t capacity = 16) : m_capacity(capacity) {}
    ~StatementCache() { clear(); }
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;

    // The statement kept for `sql`, reset with no values bound; null when none.
    sqlite3_stmt *find(const QByteArray &sql);
    // Keeps `stmt` (prepared from `sql`), dropping the least recently used.
    void insert(const QByteArray &sql, sqlite3_stmt *stmt);
    void clear();
    size_t size() const { return m_entries.size(); }

private:
    size_t m_capacity;
    std::vector<std::pair<QByteArray, sqlite3_stmt *>> m_entries;   // most recent last
};

} // namespace quoll::connection::embedded
