#pragma once

#include <QSet>
#include <QString>

#include <functional>
#include <vector>

namespace quoll::connection::embedded {

// A column of a stored table: its name in lower case and its declared type
// in upper case ("DATE", "INTEGER", "CHAR(10)").
struct StoredColumn
{
    QString name;
    QString type;
};

// The columns of a table named in lower case; empty when there is no such
// table. The rewriters use it to tell which names are columns of which
// table and which columns hold dates. An empty lookup knows no table. The
// columns returned stay valid as long as the lookup (a copy of it
// included) lives: a statement asks for the same tables many times.
using SchemaLookup = std::function<const std::vector<StoredColumn> &(const QString &table)>;

// The object a synonym of this database stands for (lower case), empty for
// a name that is no such synonym.
using SynonymLookup = std::function<QString(const QString &name)>;

// Which result columns of a SELECT are DATE expressions (TODAY, MDY(...),
// a DATE column plus days, ...), to be shown as dates: the items before a
// "*" counted from the first column, those after it from the last.
struct DateColumns
{
    std::vector<bool> leading, trailing;

    bool at(int column, int count) const
    {
        if (size_t(column) < leading.size())
            return leading[size_t(column)];
        const int fromEnd = count - 1 - column;
        return fromEnd >= 0 && size_t(fromEnd) < trailing.size() && trailing[trailing.size() - 1 - size_t(fromEnd)];
    }
};

} // namespace quoll::connection::embedded

struct sqlite3;

namespace quoll::connection::embedded {

// A lookup answered from the tables of `db`, each table read once.
SchemaLookup storedSchema(sqlite3 *db);

// The tables' columns kept for a connection across statements: reading a
// table's columns costs more than running a small insert, and a script
// names the same tables again and again. The cache is dropped whenever the
// storage engine's schema (or that of the temporary tables) has changed:
// at once after a statement of this connection that may change it, and
// within a quarter of a second after another connection changed it (asking
// the storage engine before every statement cost as much as the insert).
class SchemaCache
{
public:
    SchemaCache() = default;
    ~SchemaCache();
    SchemaCache(const SchemaCache &) = delete;
    SchemaCache &operator=(const SchemaCache &) = delete;

    // A lookup for the next statement on `db`; valid until `db` closes or
    // the next call.
    SchemaLookup lookup(sqlite3 *db);
    // Whether the storage engine has a view of the name (lower case), as of
    // the last lookup(): a synonym of this database is one.
    bool isView(const QString &name);
    bool hasViews() { return !views().isEmpty(); }
    // Call before `db` closes.
    void forget();
    // After a statement that may have changed the schema.
    void schemaMayHaveChanged() { m_dirty = true; }

private:
    bool schemaChanged();
    const QSet<QString> &views();

    struct State;
    State *m_state = nullptr;
    bool m_dirty = true;
};

} // namespace quoll::connection::embedded
