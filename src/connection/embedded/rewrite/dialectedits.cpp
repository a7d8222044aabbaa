#include "connection/embedded/rewrite/dialectplanner.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementtokens.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

bool isQualifierWord(const QString &word)
{
    static const QStringList words{u"year"_s, u"month"_s, u"day"_s, u"hour"_s, u"minute"_s, u"second"_s, u"fraction"_s};
    return words.contains(word);
}

DialectPlanner::DialectPlanner(const StatementTokens &statement, const SchemaLookup &schema,
                               const QStringList &tablesInScope, DialectEdits &edits)
    : m_s(statement), m_sql(statement.sql()), m_schema(schema), m_tablesInScope(tablesInScope), m_edits(edits)
{
}

void DialectPlanner::plan()
{
    findTables();
    // Each form starts at a token of one kind; only those are tried
    // there, in the same order as ever (several may edit one token).
    for (size_t k = 0; k < m_s.size(); ++k) {
        const SqlToken &t = m_s[k];
        switch (t.kind) {
        case SqlToken::Kind::Word:
            trimForm(k);
            substringForm(k);
            timeLiteral(k);
            extendForm(k);
            matchedDate(k);
            sequenceValue(k);
            dateToChar(k);
            break;
        case SqlToken::Kind::String:
        case SqlToken::Kind::QuotedString:
            comparedWithDate(k);
            break;
        case SqlToken::Kind::Symbol:
            switch (m_sql[t.begin].unicode()) {
            case u'[':
                subscript(k);
                break;
            case u'?':
                comparedWithDate(k);
                break;
            case u'+':
            case u'-':
                dateTimeArithmetic(k);
                break;
            case u'=':
            case u'<':
            case u'>':
            case u'!':
                dateComparedWithDateTime(k);
                break;
            default:
                break;
            }
            break;
        default:
            break;
        }
    }
    if (m_s.isWord(0, "insert"))
        insertValues();
    else if (m_s.isWord(0, "update"))
        updateSet();
    else if (m_s.isWord(0, "select")) {
        intoTemp();
        projectionDates();
    }
}

// The columns of a table the statement names, null when it names none so.
const std::vector<StoredColumn> *DialectPlanner::tableColumns(const QString &name) const
{
    for (const auto &[table, columns] : m_tables)
        if (table == name)
            return columns;
    return nullptr;
}

// The word at `k` in lower case, in a buffer that every word looked up
// reuses: most words name no table and are not kept.
const QString &DialectPlanner::lowerKey(size_t k)
{
    const QStringView w = m_s.text(k);
    m_key.resize(w.size());
    QChar *out = m_key.data();
    for (qsizetype i = 0; i < w.size(); ++i) {
        const char16_t c = w[i].unicode();
        if (c >= 0x80) {
            m_key = w.toString().toLower();
            break;
        }
        out[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
    }
    return m_key;
}

// The tables the statement names: words that are stored tables.
void DialectPlanner::findTables()
{
    if (!m_schema)
        return;
    for (const QString &name : m_tablesInScope) {
        const std::vector<StoredColumn> &columns = m_schema(name);
        if (!columns.empty() && !tableColumns(name))
            m_tables.push_back({name, &columns});
    }
    for (size_t k = 0; k < m_s.size(); ++k) {
        if (!m_s.isWord(k))
            continue;
        const QString &name = lowerKey(k);
        if (tableColumns(name))
            continue;
        const std::vector<StoredColumn> &columns = m_schema(name);
        if (columns.empty())
            continue;
        m_tables.push_back({name, &columns});
        // "table alias" and "table AS alias".
        if (const std::optional<size_t> alias = aliasAfter(m_s, k))
            m_aliases.insert(m_s.lower(*alias), name);
    }
}

// The declared type of the column reference ending at `k`: of the table
// its qualifier names, or the one every table of the statement gives it;
// empty when not known.
QString DialectPlanner::typeAt(size_t k) const
{
    if (k >= m_s.size() || !m_s.isWord(k) || m_s.isSymbol(k + 1, u'('))
        return QString();
    if (k >= 2 && m_s.isSymbol(k - 1, u'.') && m_s.isWord(k - 2)) {
        const QString qualifier = m_s.lower(k - 2);
        if (const std::vector<StoredColumn> *columns = tableColumns(m_aliases.value(qualifier, qualifier))) {
            for (const StoredColumn &c : *columns)
                if (c.name == m_s.lower(k))
                    return c.type;
            return QString();
        }
    }
    return columnType(m_s.lower(k));
}

// The column reference starting at `k` names a DATE column.
bool DialectPlanner::dateColumnFrom(size_t k) const
{
    if (k + 2 < m_s.size() && m_s.isWord(k) && m_s.isSymbol(k + 1, u'.'))
        return dateColumnAt(k + 2);
    return dateColumnAt(k);
}

// A string where a DATE is wanted becomes its day number; a parameter
// or another expression [first, last] passes the server's conversion.
void DialectPlanner::asDate(size_t first, size_t last)
{
    if (first == last && m_s.isString(first)) {
        const std::optional<qint64> days = parseDateText(m_s.value(first));
        if (!days)
            throw StatementError(InformixCode::StringToDateFailed, m_s[first].begin);
        span(first, first, QString::number(*days));
        return;
    }
    if (first == last && (m_s.isNumber(first) || m_s.isWord(first, "null")))
        return;
    m_edits.before[first] += u"quoll_date("_s;
    m_edits.after[last].prepend(u')');
}

// Comparison operators made of one or two symbols, ending just before `k`
// (returns their first index) or starting at `k` (returns one past them).
std::optional<size_t> DialectPlanner::operatorBefore(size_t k) const
{
    if (k == 0)
        return std::nullopt;
    const auto isOp = [&](size_t i) { return m_s.isSymbol(i, u'=') || m_s.isSymbol(i, u'<') || m_s.isSymbol(i, u'>') || m_s.isSymbol(i, u'!'); };
    if (!isOp(k - 1))
        return std::nullopt;
    return k >= 2 && isOp(k - 2) ? k - 2 : k - 1;
}

std::optional<size_t> DialectPlanner::operatorAfter(size_t k) const
{
    const auto isOp = [&](size_t i) { return m_s.isSymbol(i, u'=') || m_s.isSymbol(i, u'<') || m_s.isSymbol(i, u'>') || m_s.isSymbol(i, u'!'); };
    if (!isOp(k))
        return std::nullopt;
    return isOp(k + 1) ? k + 2 : k + 1;
}

// The top-level pieces of [first, end) split at commas.
std::vector<std::pair<size_t, size_t>> DialectPlanner::commaList(size_t first, size_t end) const
{
    std::vector<std::pair<size_t, size_t>> items;
    int depth = 0;
    size_t begin = first;
    for (size_t k = first; k < end; ++k) {
        if (m_s.isSymbol(k, u'('))
            ++depth;
        else if (m_s.isSymbol(k, u')'))
            --depth;
        else if (depth == 0 && m_s.isSymbol(k, u',')) {
            items.push_back({begin, k});
            begin = k + 1;
        }
    }
    if (begin < end)
        items.push_back({begin, end});
    return items;
}

// The declared type that every table of the statement having `column`
// gives it; empty when they differ or none has it.
QString DialectPlanner::columnType(const QString &column) const
{
    QString type;
    for (const auto &table : m_tables)
        for (const StoredColumn &c : *table.second)
            if (c.name == column) {
                if (!type.isEmpty() && type != c.type)
                    return QString();
                type = c.type;
            }
    return type;
}

DialectEdits planDialectEdits(const StatementTokens &statement, const SchemaLookup &schema,
                              const QStringList &tablesInScope)
{
    DialectEdits edits;
    DialectPlanner(statement, schema, tablesInScope, edits).plan();
    return edits;
}

} // namespace quoll::connection::embedded
