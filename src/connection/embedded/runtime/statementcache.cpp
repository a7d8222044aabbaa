#include "connection/embedded/runtime/statementcache.h"

#include <sqlite3.h>

#include <algorithm>

namespace quoll::connection::embedded {

sqlite3_stmt *StatementCache::find(const QByteArray &sql)
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (it->first != sql)
            continue;
        sqlite3_stmt *stmt = it->second;
        if (it != m_entries.rbegin())
            std::rotate(it.base() - 1, it.base(), m_entries.end());
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        return stmt;
    }
    return nullptr;
}

void StatementCache::insert(const QByteArray &sql, sqlite3_stmt *stmt)
{
    if (m_capacity == 0) {
        sqlite3_finalize(stmt);
        return;
    }
    if (m_entries.size() >= m_capacity) {
        sqlite3_finalize(m_entries.front().second);
        m_entries.erase(m_entries.begin());
    }
    m_entries.emplace_back(sql, stmt);
}

void StatementCache::clear()
{
    for (const auto &[sql, stmt] : m_entries)
        sqlite3_finalize(stmt);
    m_entries.clear();
}

} // namespace quoll::connection::embedded
