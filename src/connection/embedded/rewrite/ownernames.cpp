#include "connection/embedded/rewrite/ownernames.h"

#include "connection/embedded/sql/sqllexer.h"

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
    OwnerFinder(QStringView sql, const QString &database)
        : m_sql(sql), m_database(database.toLower()), m_w(significant(tokenize(sql)))
    {
    }

    // The character ranges to take out: begin -> end.
    std::map<qsizetype, qsizetype> find()
    {
        const size_t n = m_w.size();
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
            if (symbol(k, u'(')) {
                // "outer (a, b)" and "from (a join b on ...)": a nested FROM list.
                levels.push_back({false, m_tablePosition[k]});
                if (m_tablePosition[k])
                    tableAt(k + 1);
                continue;
            }
            if (symbol(k, u')')) {
                if (levels.size() > 1)
                    levels.pop_back();
                continue;
            }
            Level &level = levels.back();
            if (symbol(k, u',')) {
                if (level.fromList)
                    tableAt(k + 1);
                continue;
            }
            generalForms(k);
            if (m_w[k].kind != SqlToken::Kind::Word)
                continue;
            if (word(k, "select")) {
                level.select = true;
                level.fromList = false;
            } else if (word(k, "delete")) {
                // Also the statements of a trigger's action.
                level.select = true;
                level.fromList = false;
                if (!word(k + 1, "from"))
                    tableAt(k + 1);
            } else if (word(k, "update")) {
                tableAt(k + 1);
            } else if (word(k, "from")) {
                // Not the FROM of TRIM, SUBSTRING or EXTRACT, whose
                // parentheses hold no SELECT.
                if (level.select) {
                    level.fromList = true;
                    tableAt(k + 1);
                }
            } else if (word(k, "join") || word(k, "outer") || word(k, "table")) {
                tableAt(k + 1);
            } else if (word(k, "into")) {
                level.fromList = false;
                tableAt(k + 1);
            } else if (word(k, "where") || word(k, "group") || word(k, "order") || word(k, "having")
                       || word(k, "union") || word(k, "for")) {
                level.fromList = false;
            }
        }
        return m_drops;
    }

private:
    bool word(size_t k, const char *w) const
    {
        return k < m_w.size() && m_w[k].kind == SqlToken::Kind::Word
               && tokenText(m_sql, m_w[k]).compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }
    bool isWord(size_t k) const { return k < m_w.size() && m_w[k].kind == SqlToken::Kind::Word; }
    bool isString(size_t k) const
    {
        return k < m_w.size()
               && (m_w[k].kind == SqlToken::Kind::String || m_w[k].kind == SqlToken::Kind::QuotedString);
    }
    bool symbol(size_t k, QChar c) const
    {
        return k < m_w.size() && m_w[k].kind == SqlToken::Kind::Symbol && m_sql[m_w[k].begin] == c;
    }
    // Takes out the tokens first..last.
    void drop(size_t first, size_t last) { m_drops[m_w[first].begin] = m_w[last].end(); }

    // A table name starts at `k`: [database[@server]:][owner.]table.
    void tableAt(size_t k)
    {
        if (k >= m_w.size())
            return;
        m_tablePosition[k] = true;
        size_t j = k;
        if (isWord(j)) {
            size_t colon = j + 1;
            if (symbol(colon, u'@') && isWord(colon + 1))
                colon += 2;
            if (symbol(colon, u':') && !symbol(colon + 1, u':') && (isWord(colon + 1) || isString(colon + 1))) {
                if (tokenText(m_sql, m_w[j]).toString().toLower() != m_database)
                    return;   // another database: left to the storage engine
                drop(j, colon);
                j = colon + 1;
            }
        }
        if ((isWord(j) || isString(j)) && symbol(j + 1, u'.') && isWord(j + 2))
            drop(j, j + 1);
    }

    // Owners wherever they stand: a quoted owner, the owner of a three-part
    // column name and of a routine.
    void generalForms(size_t k)
    {
        if (isString(k) && symbol(k + 1, u'.') && isWord(k + 2)) {
            drop(k, k + 1);
            return;
        }
        if (!isWord(k) || (k > 0 && symbol(k - 1, u'.')) || !symbol(k + 1, u'.') || !isWord(k + 2))
            return;
        const bool threeParts = symbol(k + 3, u'.') && (isWord(k + 4) || symbol(k + 4, u'*'));
        // A routine's "(" follows its name directly; "c.id (+)" is a column
        // before another system's outer join mark.
        const bool routine = symbol(k + 3, u'(') && m_w[k + 3].begin == m_w[k + 2].end() && !symbol(k + 4, u'+');
        if (threeParts || routine)
            drop(k, k + 1);
    }

    QStringView m_sql;
    QString m_database;
    std::vector<SqlToken> m_w;
    std::vector<bool> m_tablePosition;
    std::map<qsizetype, qsizetype> m_drops;
};

} // namespace

std::optional<RewrittenSql> dropOwnerNames(QStringView sql, const QString &database)
{
    const std::map<qsizetype, qsizetype> drops = OwnerFinder(sql, database).find();
    if (drops.empty())
        return std::nullopt;
    SqlRewriter out(sql);
    qsizetype copied = 0;
    for (const auto &[begin, end] : drops) {
        if (begin < copied)
            continue;
        out.copy(copied, begin - copied);
        copied = end;
    }
    out.copy(copied, sql.size() - copied);
    return out.finish();
}

} // namespace quoll::connection::embedded
