#include "connection/embedded/rewrite/ownernames.h"

#include "connection/embedded/server/informixerrors.h"

#include "connection/embedded/sql/fromlist.h"

#include <map>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// Finds the owner and database qualifiers of one statement, reading its
// significant tokens.
class OwnerFinder
{
public:
    OwnerFinder(const StatementTokens &statement, const QString &database, const SynonymLookup &synonyms)
        : m_s(statement), m_database(database.toLower()), m_synonyms(synonyms)
    {
    }

    // The character ranges to replace: begin -> (end, replacement).
    std::map<qsizetype, std::pair<qsizetype, QString>> find()
    {
        writtenSynonym();
        const size_t n = m_s.size();
        m_tablePosition.assign(n + 1, false);
        // Per parenthesis level: whether a SELECT or DELETE has begun
        // there, and whether its FROM list is being read.
        struct Level
        {
            bool select = false;
            bool fromList = false;
        };
        std::vector<Level> levels(1);
        for (size_t k = 0; k < n; ++k) {
            if (m_s.isSymbol(k, u'(')) {
                // "outer (a, b)" and "from (a join b on ...)": a nested FROM list.
                levels.push_back({false, m_tablePosition[k]});
                if (m_tablePosition[k])
                    tableAt(k + 1);
                continue;
            }
            if (m_s.isSymbol(k, u')')) {
                if (levels.size() > 1)
                    levels.pop_back();
                continue;
            }
            Level &level = levels.back();
            if (m_s.isSymbol(k, u',')) {
                if (level.fromList)
                    tableAt(k + 1);
                continue;
            }
            generalForms(k);
            if (!m_s.isWord(k))
                continue;
            if (m_s.isWord(k, "select")) {
                level.select = true;
                level.fromList = false;
            } else if (m_s.isWord(k, "delete")) {
                // Also the statements of a trigger's action.
                level.select = true;
                level.fromList = false;
                if (!m_s.isWord(k + 1, "from"))
                    tableAt(k + 1);
            } else if (m_s.isWord(k, "update")) {
                tableAt(k + 1);
            } else if (m_s.isWord(k, "from")) {
                // Not the FROM of TRIM, SUBSTRING or EXTRACT, whose
                // parentheses hold no SELECT.
                if (level.select) {
                    level.fromList = true;
                    tableAt(k + 1);
                }
            } else if (m_s.isWord(k, "join") || m_s.isWord(k, "outer") || m_s.isWord(k, "table")) {
                tableAt(k + 1);
            } else if (m_s.isWord(k, "into")) {
                level.fromList = false;
                tableAt(k + 1);
            } else if (m_s.isWord(k, "where") || m_s.isWord(k, "group") || m_s.isWord(k, "order") || m_s.isWord(k, "having")
                       || m_s.isWord(k, "union") || m_s.isWord(k, "for")) {
                level.fromList = false;
            }
        }
        return m_drops;
    }

private:
    // Takes out the tokens first..last.
    void drop(size_t first, size_t last) { m_drops[m_s[first].begin] = {m_s[last].end(), QString()}; }

    // The table an INSERT, UPDATE or DELETE writes to, when it is a synonym
    // of this database: the storage engine writes to no view, so the
    // object's own name goes in its place, with the synonym's as the alias
    // that the statement's qualified names use.
    void writtenSynonym()
    {
        if (!m_synonyms)
            return;
        size_t k = 0;
        if (m_s.isWord(0, "insert") && m_s.isWord(1, "into"))
            k = 2;
        else if (m_s.isWord(0, "update"))
            k = 1;
        else if (m_s.isWord(0, "delete"))
            k = m_s.isWord(1, "from") ? 2 : 1;
        else
            return;
        const std::optional<TableReference> table = readTableReference(m_s, k);
        if (!table || !m_s.isWord(table->table)
            || (table->database && m_s.lower(*table->database) != m_database))
            return;
        const QString name = m_s.lower(table->table);
        const QString object = m_synonyms(name);
        if (object.isEmpty())
            return;
        // An INSERT's alias comes after its column list; it needs none.
        const bool alias = !m_s.isWord(0, "insert") && !table->alias;
        m_drops[m_s[table->table].begin] = {m_s[table->table].end(), alias ? object + u" as "_s + name : object};
    }

    // A table name starts at `k`: [database[@server]:][owner.]table.
    void tableAt(size_t k)
    {
        if (k >= m_s.size())
            return;
        m_tablePosition[k] = true;   // also a "(" that opens a nested list
        const std::optional<TableReference> table = readTableReference(m_s, k);
        if (!table)
            return;
        if (table->database) {
            if (m_database.isEmpty())
                return;   // no database open: the storage engine answers
            if (m_s.lower(*table->database) != m_database)
                throw StatementError(InformixCode::NotSupported, m_s[*table->database].begin,
                                     u"a table of another database (%1)"_s.arg(
                                         m_s.written(*table->database, table->table)));
            drop(*table->database, (table->owner ? *table->owner : table->table) - 1);
        }
        if (table->owner)
            drop(*table->owner, *table->owner + 1);
    }

    // Owners wherever they stand: a quoted owner, the owner of a three-part
    // column name and of a routine.
    void generalForms(size_t k)
    {
        if (m_s.isString(k) && m_s.isSymbol(k + 1, u'.') && m_s.isWord(k + 2)) {
            drop(k, k + 1);
            return;
        }
        if (!m_s.isWord(k) || (k > 0 && m_s.isSymbol(k - 1, u'.')) || !m_s.isSymbol(k + 1, u'.') || !m_s.isWord(k + 2))
            return;
        const bool threeParts = m_s.isSymbol(k + 3, u'.') && (m_s.isWord(k + 4) || m_s.isSymbol(k + 4, u'*'));
        // A routine's "(" follows its name directly; "c.id (+)" is a column
        // before another system's outer join mark.
        const bool routine = m_s.isSymbol(k + 3, u'(') && m_s[k + 3].begin == m_s[k + 2].end() && !m_s.isSymbol(k + 4, u'+');
        if (threeParts || routine)
            drop(k, k + 1);
    }

    const StatementTokens &m_s;
    QString m_database;
    const SynonymLookup &m_synonyms;
    std::vector<bool> m_tablePosition;
    std::map<qsizetype, std::pair<qsizetype, QString>> m_drops;
};

} // namespace

std::optional<RewrittenSql> dropOwnerNames(QStringView sql, const QString &database)
{
    return dropOwnerNames(StatementTokens(sql), database);
}

std::optional<RewrittenSql> dropOwnerNames(const StatementTokens &statement, const QString &database,
                                           const SynonymLookup &synonyms)
{
    const QStringView sql = statement.sql();
    const std::map<qsizetype, std::pair<qsizetype, QString>> drops = OwnerFinder(statement, database, synonyms).find();
    if (drops.empty())
        return std::nullopt;
    SqlRewriter out(sql);
    qsizetype copied = 0;
    for (const auto &[begin, replacement] : drops) {
        if (begin < copied)
            continue;
        out.copy(copied, begin - copied);
        if (!replacement.second.isEmpty())
            out.replace(begin, replacement.second);
        copied = replacement.first;
    }
    out.copy(copied, sql.size() - copied);
    return out.finish();
}

} // namespace quoll::connection::embedded
