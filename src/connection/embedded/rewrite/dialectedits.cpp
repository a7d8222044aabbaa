#include "connection/embedded/rewrite/dialectedits.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementtokens.h"

#include <QHash>
#include <QRegularExpression>
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

namespace {

// Finds the edits of one statement, reading its significant tokens.
class Planner
{
public:
    Planner(const StatementTokens &statement, const SchemaLookup &schema, const QStringList &tablesInScope,
            DialectEdits &edits)
        : m_s(statement), m_sql(statement.sql()), m_schema(schema), m_tablesInScope(tablesInScope), m_edits(edits)
    {
    }

    void plan()
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

private:
    void span(size_t first, size_t last, const QString &text) { m_edits.spans[first] = {last, text}; }
    QString quoted(QString text) const { return u'\'' + text.replace(u"'"_s, u"''"_s) + u'\''; }

    // The columns of a table the statement names, null when it names none so.
    const std::vector<StoredColumn> *tableColumns(const QString &name) const
    {
        for (const auto &[table, columns] : m_tables)
            if (table == name)
                return columns;
        return nullptr;
    }

    // The word at `k` in lower case, in a buffer that every word looked up
    // reuses: most words name no table and are not kept.
    const QString &lowerKey(size_t k)
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
    void findTables()
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
            static const QStringList notAliases{u"where"_s, u"on"_s, u"join"_s, u"left"_s, u"right"_s, u"inner"_s,
                                                u"outer"_s, u"cross"_s, u"full"_s, u"natural"_s, u"order"_s,
                                                u"group"_s, u"having"_s, u"union"_s, u"into"_s, u"set"_s,
                                                u"values"_s, u"select"_s, u"from"_s, u"limit"_s, u"using"_s,
                                                u"with"_s, u"and"_s, u"or"_s, u"not"_s};
            const size_t a = m_s.isWord(k + 1, "as") ? k + 2 : k + 1;
            if (a < m_s.size() && m_s.isWord(a) && !notAliases.contains(m_s.lower(a)))
                m_aliases.insert(m_s.lower(a), name);
        }
    }
    // The declared type of the column reference ending at `k`: of the table
    // its qualifier names, or the one every table of the statement gives it;
    // empty when not known.
    QString typeAt(size_t k) const
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
    // The column reference ending at `k` ("name" or "t.name") names a DATE column.
    bool dateColumnAt(size_t k) const { return typeAt(k) == u"DATE"_s; }
    // The column reference starting at `k` names a DATE column.
    bool dateColumnFrom(size_t k) const
    {
        if (k + 2 < m_s.size() && m_s.isWord(k) && m_s.isSymbol(k + 1, u'.'))
            return dateColumnAt(k + 2);
        return dateColumnAt(k);
    }

    // A string where a DATE is wanted becomes its day number; a parameter
    // or another expression [first, last] passes the server's conversion.
    void asDate(size_t first, size_t last)
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
    std::optional<size_t> operatorBefore(size_t k) const
    {
        if (k == 0)
            return std::nullopt;
        const auto isOp = [&](size_t i) { return m_s.isSymbol(i, u'=') || m_s.isSymbol(i, u'<') || m_s.isSymbol(i, u'>') || m_s.isSymbol(i, u'!'); };
        if (!isOp(k - 1))
            return std::nullopt;
        return k >= 2 && isOp(k - 2) ? k - 2 : k - 1;
    }
    std::optional<size_t> operatorAfter(size_t k) const
    {
        const auto isOp = [&](size_t i) { return m_s.isSymbol(i, u'=') || m_s.isSymbol(i, u'<') || m_s.isSymbol(i, u'>') || m_s.isSymbol(i, u'!'); };
        if (!isOp(k))
            return std::nullopt;
        return isOp(k + 1) ? k + 2 : k + 1;
    }

    // A string or parameter compared with a DATE column: "placed = '12/31/2024'",
    // "'01/01/2024' < placed", "placed between ? and '...'", "placed in (...)".
    void comparedWithDate(size_t k)
    {
        if (!m_s.isString(k) && !m_s.isSymbol(k, u'?'))
            return;
        bool date = false;
        if (const auto op = operatorBefore(k); op && *op > 0)
            date = dateColumnAt(*op - 1) || m_s.isWord(*op - 1, "today");
        if (!date)
            if (const auto after = operatorAfter(k + 1))
                date = dateColumnFrom(*after) || m_s.isWord(*after, "today");
        // BETWEEN's bounds.
        const auto betweenAt = [&](size_t b) { return m_s.isWord(b, "between") && b > 0 && (dateColumnAt(b - 1) || (m_s.isWord(b - 1, "not") && b > 1 && dateColumnAt(b - 2))); };
        if (!date && k > 0)
            date = betweenAt(k - 1) || (k >= 3 && m_s.isWord(k - 1, "and") && betweenAt(k - 3));
        // IN lists of strings.
        if (!date) {
            size_t b = k;
            while (b >= 2 && m_s.isSymbol(b - 1, u',') && (m_s.isString(b - 2) || m_s.isSymbol(b - 2, u'?')))
                b -= 2;
            if (b >= 2 && m_s.isSymbol(b - 1, u'(') && m_s.isWord(b - 2, "in"))
                date = b >= 3 && (dateColumnAt(b - 3) || (m_s.isWord(b - 3, "not") && b >= 4 && dateColumnAt(b - 4)));
        }
        // A DATE column's DEFAULT in CREATE or ALTER TABLE.
        if (!date && m_s.isString(k) && k > 1 && m_s.isWord(k - 1, "default")) {
            for (size_t b = k - 1; b-- > 0 && !m_s.isSymbol(b, u',') && !m_s.isSymbol(b, u'(');)
                date = date || m_s.isWord(b, "date");
        }
        if (date)
            asDate(k, k);
    }

    // The qualifier of the DATETIME operand [a, e] ("year to minute").
    QString dateTimeQualifier(size_t a, size_t e) const
    {
        const auto text = [&](size_t from, size_t to) {
            return m_sql.mid(m_s[from].begin, m_s[to].end() - m_s[from].begin).toString().simplified().toLower();
        };
        if (const size_t first = qualifierBackward(e); first != size_t(-1) && first > a)
            return text(first, e);
        if (m_s.isWord(a, "extend") && e > 0)
            if (const size_t first = qualifierBackward(e - 1); first != size_t(-1))
                return text(first, e - 1);
        if (m_s.isWord(a, "current"))
            return u"year to fraction(3)"_s;
        const QString type = typeAt(e);
        return type.startsWith(u"DATETIME "_s) ? type.mid(9).simplified().toLower() : QString();
    }

    // A DATE compared with a DATETIME is extended to the DATETIME's fields,
    // as its text then compares as the DATETIME's does.
    void dateComparedWithDateTime(size_t k)
    {
        const auto isOp = [&](size_t i) { return m_s.isSymbol(i, u'=') || m_s.isSymbol(i, u'<') || m_s.isSymbol(i, u'>') || m_s.isSymbol(i, u'!'); };
        const std::optional<size_t> after = operatorAfter(k);
        if (!after || k == 0 || isOp(k - 1) || *after >= m_s.size())
            return;
        const size_t le = k - 1;
        const bool leftDate = dateColumnAt(le) || m_s.isWord(le, "today");
        const size_t ls = dateColumnAt(le) && le >= 2 && m_s.isSymbol(le - 1, u'.') ? le - 2 : le;
        const size_t rs = *after;
        const bool rightDate = dateColumnFrom(rs) || m_s.isWord(rs, "today");
        const size_t re = m_s.isWord(rs, "today") ? rs : (rs + 2 < m_s.size() && m_s.isSymbol(rs + 1, u'.') ? rs + 2 : rs);
        const auto wrap = [&](size_t a, size_t b, const QString &qualifier) {
            if (qualifier.isEmpty())
                return;
            m_edits.before[a] += u"quoll_extend("_s;
            m_edits.after[b].prepend(u", "_s + quoted(qualifier) + u')');
        };
        if (leftDate) {
            const size_t end = dateTimeForward(rs);
            if (end != size_t(-1) && end > rs)
                wrap(ls, le, dateTimeQualifier(rs, end - 1));
        } else if (rightDate) {
            const size_t start = dateTimeBackward(le, false);
            if (start != size_t(-1))
                wrap(rs, re, dateTimeQualifier(start, le));
        }
    }

    // A DATE column before MATCHES or LIKE is matched in its text form.
    void matchedDate(size_t k)
    {
        if ((!m_s.isWord(k, "matches") && !m_s.isWord(k, "like")) || k < 1)
            return;
        const size_t e = m_s.isWord(k - 1, "not") ? k - 2 : k - 1;
        if (e >= m_s.size() || !dateColumnAt(e))
            return;
        const size_t start = e >= 2 && m_s.isSymbol(e - 1, u'.') ? e - 2 : e;
        m_edits.before[start] += u"quoll_datetext("_s;
        m_edits.after[e].prepend(u')');
    }

    // The top-level pieces of [first, end) split at commas.
    std::vector<std::pair<size_t, size_t>> commaList(size_t first, size_t end) const
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

    // INSERT INTO t [(columns)] VALUES (values): values for DATE columns.
    void insertValues()
    {
        if (!m_s.isWord(1, "into") || m_s.size() < 4)
            return;
        // "table", "owner.table", "database:table", "database:owner.table".
        size_t k = 2;
        while (k + 2 < m_s.size() && (m_s.isSymbol(k + 1, u'.') || m_s.isSymbol(k + 1, u':')))
            k += 2;
        const QString table = m_s.lower(k);
        const std::vector<StoredColumn> *stored = tableColumns(table);
        // Only the values of DATE columns change.
        if (!stored || std::none_of(stored->begin(), stored->end(), [](const StoredColumn &c) { return c.type == u"DATE"_s; }))
            return;
        QStringList columns;
        ++k;
        if (m_s.isSymbol(k, u'(')) {
            const size_t close = m_s.closing(k);
            for (const auto &[a, b] : commaList(k + 1, close))
                columns.append(b == a + 1 ? m_s.lower(a) : QString());
            k = close + 1;
        } else {
            for (const StoredColumn &c : *stored)
                columns.append(c.name);
        }
        std::vector<std::pair<size_t, size_t>> values;
        if (m_s.isWord(k, "values") && m_s.isSymbol(k + 1, u'(')) {
            values = commaList(k + 2, m_s.closing(k + 1));
        } else if (m_s.isWord(k, "select")) {
            // INSERT ... SELECT: the projection's items, up to the top-level FROM.
            size_t end = k + 1;
            int depth = 0;
            for (; end < m_s.size(); ++end) {
                if (m_s.isSymbol(end, u'('))
                    ++depth;
                else if (m_s.isSymbol(end, u')'))
                    --depth;
                else if (depth == 0 && (m_s.isWord(end, "from") || m_s.isWord(end, "union") || m_s.isSymbol(end, u';')))
                    break;
            }
            values = commaList(k + 1, end);
            for (const auto &[a, b] : values)
                if (m_s.isSymbol(b - 1, u'*'))
                    return;   // the columns of "*" are not known here
        } else {
            return;
        }
        for (size_t v = 0; v < values.size() && v < size_t(columns.size()); ++v)
            for (const StoredColumn &c : *stored)
                if (c.name == columns[qsizetype(v)] && c.type == u"DATE"_s && values[v].second > values[v].first)
                    asDate(values[v].first, values[v].second - 1);
    }

    // UPDATE t SET column = value, ...: values for DATE columns.
    void updateSet()
    {
        size_t k = 1;
        while (k < m_s.size() && !m_s.isWord(k, "set"))
            ++k;
        size_t end = k + 1;
        int depth = 0;
        for (; end < m_s.size(); ++end) {
            if (m_s.isSymbol(end, u'('))
                ++depth;
            else if (m_s.isSymbol(end, u')'))
                --depth;
            else if (depth == 0 && (m_s.isWord(end, "where") || m_s.isSymbol(end, u';')))
                break;
        }
        for (const auto &[a, b] : commaList(k + 1, end)) {
            if (m_s.isSymbol(a, u'(')) {
                // SET (c1, c2) = (v1, v2)
                const size_t close = m_s.closing(a);
                if (!m_s.isSymbol(close + 1, u'=') || !m_s.isSymbol(close + 2, u'('))
                    continue;
                const auto names = commaList(a + 1, close);
                const auto values = commaList(close + 3, m_s.closing(close + 2));
                for (size_t v = 0; v < names.size() && v < values.size(); ++v)
                    if (names[v].second > names[v].first && dateColumnAt(names[v].second - 1)
                        && values[v].second > values[v].first)
                        asDate(values[v].first, values[v].second - 1);
                continue;
            }
            size_t eq = a;
            while (eq < b && !m_s.isSymbol(eq, u'='))
                ++eq;
            if (eq > a && eq + 1 < b && dateColumnAt(eq - 1))
                asDate(eq + 1, b - 1);
        }
    }

    // SELECT ... INTO TEMP name [WITH NO LOG] at the statement's top level.
    void intoTemp()
    {
        int depth = 0;
        for (size_t k = 0; k < m_s.size(); ++k) {
            if (m_s.isSymbol(k, u'('))
                ++depth;
            else if (m_s.isSymbol(k, u')'))
                --depth;
            if (depth != 0 || !m_s.isWord(k, "into") || !m_s.isWord(k + 1, "temp") || k + 2 >= m_s.size()
                || !m_s.isWord(k + 2))
                continue;
            size_t last = k + 2;
            if (m_s.isWord(last + 1, "with") && m_s.isWord(last + 2, "no") && m_s.isWord(last + 3, "log"))
                last += 3;
            m_edits.intoTemp = m_s.lower(k + 2);
            span(k, last, QString());
            return;
        }
    }

    // Whether the operand [a, b) is a DATE value.
    bool dateOperand(size_t a, size_t b) const
    {
        if (b == a + 1)
            return m_s.isWord(a, "today") || dateColumnAt(a);
        if (b == a + 3 && m_s.isSymbol(a + 1, u'.'))
            return dateColumnAt(a + 2);
        if (b > a + 1 && m_s.isSymbol(a + 1, u'(') && m_s.closing(a + 1) == b - 1) {
            if (m_s.isWord(a, "min") || m_s.isWord(a, "max") || m_s.isWord(a, "nvl"))
                return dateExpression(a + 2, m_s.isWord(a, "nvl") ? commaList(a + 2, b - 1).front().second : b - 1);
            if (m_s.isWord(a, "decode")) {
                // DECODE(expr, when, then, ..., [default]): its thens and default.
                const auto args = commaList(a + 2, b - 1);
                std::vector<std::pair<size_t, size_t>> results;
                for (size_t r = 2; r < args.size(); r += 2)
                    results.push_back(args[r]);
                if (args.size() >= 4 && args.size() % 2 == 0)
                    results.push_back(args.back());
                return allDates(results);
            }
            return m_s.isWord(a, "mdy") || m_s.isWord(a, "date") || m_s.isWord(a, "quoll_date");
        }
        if (m_s.isSymbol(a, u'(') && m_s.closing(a) == b - 1)
            return dateExpression(a + 1, b - 1);
        return false;
    }
    // Whether the results are DATE expressions or NULL, one at least a DATE.
    bool allDates(const std::vector<std::pair<size_t, size_t>> &results) const
    {
        bool any = false;
        for (const auto &[r, e] : results) {
            if (e == r + 1 && m_s.isWord(r, "null"))
                continue;
            if (e <= r || !dateExpression(r, e))
                return false;
            any = true;
        }
        return any;
    }
    // Whether the results of CASE ... END in [a, b) are all DATEs.
    bool caseOfDates(size_t a, size_t b) const
    {
        std::vector<std::pair<size_t, size_t>> results;
        int depth = 0, nested = 0;
        size_t start = 0;
        bool inResult = false;
        for (size_t k = a + 1; k < b; ++k) {
            if (m_s.isSymbol(k, u'('))
                ++depth;
            else if (m_s.isSymbol(k, u')'))
                --depth;
            else if (depth == 0 && m_s.isWord(k, "case"))
                ++nested;
            else if (depth == 0 && nested > 0 && m_s.isWord(k, "end"))
                --nested;
            else if (depth == 0 && nested == 0 && (m_s.isWord(k, "when") || m_s.isWord(k, "else") || m_s.isWord(k, "then") || m_s.isWord(k, "end"))) {
                if (inResult)
                    results.push_back({start, k});
                inResult = m_s.isWord(k, "then") || m_s.isWord(k, "else");
                start = k + 1;
            }
        }
        return allDates(results);
    }
    // Whether [a, b) is date ± number: one date operand first and only + and - between.
    bool dateExpression(size_t a, size_t b) const
    {
        if (b > a + 1 && m_s.isWord(a, "case") && m_s.isWord(b - 1, "end"))
            return caseOfDates(a, b);
        std::vector<std::pair<size_t, size_t>> operands;
        std::vector<QChar> ops;
        int depth = 0;
        size_t begin = a;
        for (size_t k = a; k < b; ++k) {
            if (m_s.isSymbol(k, u'('))
                ++depth;
            else if (m_s.isSymbol(k, u')'))
                --depth;
            else if (depth == 0 && k > begin && (m_s.isSymbol(k, u'+') || m_s.isSymbol(k, u'-'))) {
                operands.push_back({begin, k});
                ops.push_back(m_sql[m_s[k].begin]);
                begin = k + 1;
            } else if (depth == 0 && m_s[k].kind == SqlToken::Kind::Symbol && !m_s.isSymbol(k, u'.'))
                return false;
        }
        if (begin >= b)
            return false;
        operands.push_back({begin, b});
        if (!dateOperand(operands[0].first, operands[0].second))
            return false;
        for (size_t o = 1; o < operands.size(); ++o)
            if (dateOperand(operands[o].first, operands[o].second))
                return false;   // date - date is a number of days
        return true;
    }

    // Which items of the projection list are DATE expressions.
    void projectionDates()
    {
        size_t k = 1;
        while (k < m_s.size() && (m_s.isWord(k, "distinct") || m_s.isWord(k, "unique") || m_s.isWord(k, "all")
                                    || ((m_s.isWord(k, "skip") || m_s.isWord(k, "first") || m_s.isWord(k, "limit"))
                                        && k + 1 < m_s.size() && m_s.isNumber(k + 1))))
            k += m_s.isWord(k, "distinct") || m_s.isWord(k, "unique") || m_s.isWord(k, "all") ? 1 : 2;
        size_t end = k;
        int depth = 0;
        for (; end < m_s.size(); ++end) {
            if (m_s.isSymbol(end, u'('))
                ++depth;
            else if (m_s.isSymbol(end, u')'))
                --depth;
            else if (depth == 0 && (m_s.isWord(end, "from") || m_s.isWord(end, "into")))
                break;
        }
        std::vector<bool> *hints = &m_edits.dateColumns.leading;
        for (auto [a, b] : commaList(k, end)) {
            // After "*" or "t.*" the items are counted from the last column;
            // after a second one they are not known.
            if (b > a && m_s.isSymbol(b - 1, u'*') && (b == a + 1 || (b == a + 3 && m_s.isSymbol(a + 1, u'.')))) {
                if (hints == &m_edits.dateColumns.trailing) {
                    hints->clear();
                    return;
                }
                hints = &m_edits.dateColumns.trailing;
                continue;
            }
            // Without its alias: "expr as name", "expr name".
            if (b >= a + 2 && m_s.isWord(b - 1) && !m_s.isWord(b - 1, "end") && !m_s.isSymbol(b - 2, u'.')
                && (m_s.isWord(b - 2) || m_s.isSymbol(b - 2, u')')))
                b -= m_s.isWord(b - 2, "as") ? 2 : 1;
            hints->push_back(b > a && dateExpression(a, b));
        }
    }

    // name[a,b] and name[a]: the characters a to b of a column.
    // Anything else in brackets is refused: the storage engine would read
    // "[...]" as a quoted name.
    void subscript(size_t k)
    {
        if (!m_s.isSymbol(k, u'['))
            return;
        const auto refuse = [&] { throw StatementError(InformixCode::SyntaxError, m_s[k].begin); };
        if (k == 0 || !m_s.isWord(k - 1))
            refuse();
        if (k + 2 >= m_s.size() || !m_s.isNumber(k + 1))
            refuse();
        const int from = m_s.text(k + 1).toInt();
        int to = from;
        size_t close = k + 2;
        if (m_s.isSymbol(close, u',') && close + 2 < m_s.size() && m_s.isNumber(close + 1)) {
            to = m_s.text(close + 1).toInt();
            close += 2;
        }
        if (!m_s.isSymbol(close, u']') || from < 1 || to < from)
            refuse();
        size_t start = k - 1;
        while (start >= 2 && m_s.isSymbol(start - 1, u'.') && m_s.isWord(start - 2))
            start -= 2;
        m_edits.before[start] += u"substr("_s;
        span(k, close, u", %1, %2)"_s.arg(from).arg(to - from + 1));
    }

    // TRIM([[LEADING | TRAILING | BOTH] [pad] FROM] s).
    void trimForm(size_t k)
    {
        if (!m_s.isWord(k, "trim") || !m_s.isSymbol(k + 1, u'('))
            return;
        const size_t close = m_s.closing(k + 1);
        size_t j = k + 2;
        QString function = u"trim"_s;
        const bool side = m_s.isWord(j, "leading") || m_s.isWord(j, "trailing") || m_s.isWord(j, "both");
        if (side) {
            function = m_s.isWord(j, "leading") ? u"ltrim"_s : m_s.isWord(j, "trailing") ? u"rtrim"_s : u"trim"_s;
            ++j;
        }
        QString pad;
        if (m_s.isString(j) && (side || m_s.isWord(j + 1, "from"))) {
            pad = quoted(m_s.value(j));
            ++j;
        }
        if (!m_s.isWord(j, "from")) {
            if (j == k + 2)
                return;   // TRIM(s)
            throw StatementError(InformixCode::SyntaxError, m_s[std::min(j, m_s.size() - 1)].begin);
        }
        if (close >= m_s.size() || close == j + 1)
            return;
        span(k, j, function + u'(');
        if (!pad.isEmpty())
            m_edits.before[close] += u", "_s + pad;
    }

    // SUBSTRING(s FROM a [FOR b]).
    void substringForm(size_t k)
    {
        if (!m_s.isWord(k, "substring") || !m_s.isSymbol(k + 1, u'('))
            return;
        const size_t close = m_s.closing(k + 1);
        int depth = 0;
        std::vector<size_t> froms, fors;
        for (size_t j = k + 2; j < close; ++j) {
            if (m_s.isSymbol(j, u'('))
                ++depth;
            else if (m_s.isSymbol(j, u')'))
                --depth;
            else if (depth == 0 && m_s.isWord(j, "from"))
                froms.push_back(j);
            else if (depth == 0 && m_s.isWord(j, "for"))
                fors.push_back(j);
        }
        if (froms.size() != 1 || fors.size() > 1 || (!fors.empty() && fors[0] < froms[0]))
            return;
        span(k, k, u"substr"_s);
        span(froms[0], froms[0], u","_s);
        if (!fors.empty())
            span(fors[0], fors[0], u","_s);
    }

    // The end of a "first TO last" qualifier starting at `k`: one past it,
    // or k when none stands there.
    size_t qualifier(size_t k) const
    {
        const auto field = [&](size_t &j) {
            if (j >= m_s.size() || !m_s.isWord(j) || !isQualifierWord(m_s.lower(j)))
                return false;
            ++j;
            if (m_s.isSymbol(j, u'(') && j + 2 < m_s.size() && m_s.isNumber(j + 1) && m_s.isSymbol(j + 2, u')'))
                j += 3;
            return true;
        };
        size_t j = k;
        if (!field(j) || !m_s.isWord(j, "to"))
            return k;
        ++j;
        return field(j) ? j : k;
    }

    // DATETIME (2024-01-31 10:00) YEAR TO MINUTE and INTERVAL (...) q: their texts.
    void timeLiteral(size_t k)
    {
        if ((!m_s.isWord(k, "datetime") && !m_s.isWord(k, "interval")) || !m_s.isSymbol(k + 1, u'('))
            return;
        const size_t close = m_s.closing(k + 1);
        if (close >= m_s.size())
            return;
        const qsizetype from = m_s[k + 1].end();
        const QString value = m_sql.mid(from, m_s[close].begin - from).toString().simplified();
        const size_t end = qualifier(close + 1);
        if (end == close + 1)
            throw StatementError(InformixCode::SyntaxError, close + 1 < m_s.size() ? m_s[close + 1].begin : m_sql.size());
        for (QChar c : value)
            if (!c.isDigit() && c != u'-' && c != u':' && c != u'.' && c != u' ')
                throw StatementError(InformixCode::NonNumericInDateTime, m_s[k + 2].begin);
        if (m_s.isWord(k, "datetime")) {
            // The fields given must be the ones the qualifier names.
            static const QRegularExpression shape(u"^\\d{1,4}(-\\d{1,2}(-\\d{1,2}( \\d{1,2}(:\\d{1,2}(:\\d{1,2}(\\.\\d{1,5})?)?)?)?)?)?$|^\\d{1,2}(:\\d{1,2}(:\\d{1,2}(\\.\\d{1,5})?)?)?$"_s);
            if (!shape.match(value).hasMatch())
                throw StatementError(InformixCode::NonNumericInDateTime, m_s[k + 2].begin);
        }
        span(k, end - 1, quoted(value));
    }

    // The matching "(" of the ")" at `close`, or npos.
    size_t opening(size_t close) const
    {
        int depth = 0;
        for (size_t k = close + 1; k-- > 0;) {
            if (m_s.isSymbol(k, u')'))
                ++depth;
            else if (m_s.isSymbol(k, u'(') && --depth == 0)
                return k;
        }
        return size_t(-1);
    }
    // The first field of a "first TO last" qualifier ending at `e`, or npos.
    size_t qualifierBackward(size_t e) const
    {
        const auto fieldStart = [&](size_t end) -> size_t {
            if (end >= 3 && m_s.isSymbol(end, u')') && m_s.isNumber(end - 1) && m_s.isSymbol(end - 2, u'('))
                end -= 3;
            if (end < m_s.size() && m_s.isWord(end) && isQualifierWord(m_s.lower(end)))
                return end;
            return size_t(-1);
        };
        const size_t last = fieldStart(e);
        if (last == size_t(-1) || last < 2 || !m_s.isWord(last - 1, "to"))
            return size_t(-1);
        return fieldStart(last - 2);
    }
    // The declared type that every table of the statement having `column`
    // gives it; empty when they differ or none has it.
    QString columnType(const QString &column) const
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
    bool dateTimeColumnAt(size_t k) const { return typeAt(k).startsWith(u"DATETIME"_s); }
    // The start of a DATETIME operand ending at `e` (a DATETIME column,
    // CURRENT, a DATETIME literal, EXTEND(...)), or npos.
    // With `withDates`, DATE columns and TODAY too.
    size_t dateTimeBackward(size_t e, bool withDates) const
    {
        if (e >= m_s.size())
            return size_t(-1);
        if (const size_t first = qualifierBackward(e); first != size_t(-1) && first > 0) {
            if (m_s.isWord(first - 1, "current"))
                return first - 1;
            if (m_s.isSymbol(first - 1, u')')) {
                const size_t open = opening(first - 1);
                if (open != size_t(-1) && open > 0 && m_s.isWord(open - 1, "datetime"))
                    return open - 1;
            }
            return size_t(-1);
        }
        if (m_s.isSymbol(e, u')')) {
            const size_t open = opening(e);
            return open != size_t(-1) && open > 0 && m_s.isWord(open - 1, "extend") ? open - 1 : size_t(-1);
        }
        if (m_s.isWord(e, "current"))
            return e;
        if (dateTimeColumnAt(e) || (withDates && dateColumnAt(e)))
            return e >= 2 && m_s.isSymbol(e - 1, u'.') ? e - 2 : e;
        if (withDates && m_s.isWord(e, "today"))
            return e;
        return size_t(-1);
    }
    // One past a DATETIME operand starting at `b`, or npos.
    size_t dateTimeForward(size_t b) const
    {
        if (m_s.isWord(b, "current")) {
            const size_t end = qualifier(b + 1);
            return end;
        }
        if ((m_s.isWord(b, "datetime") || m_s.isWord(b, "extend")) && m_s.isSymbol(b + 1, u'(')) {
            const size_t close = m_s.closing(b + 1);
            if (close >= m_s.size())
                return size_t(-1);
            return m_s.isWord(b, "extend") ? close + 1 : qualifier(close + 1);
        }
        if (m_s.isWord(b) && b + 2 < m_s.size() && m_s.isSymbol(b + 1, u'.') && dateTimeColumnAt(b + 2))
            return b + 3;
        if (b < m_s.size() && !m_s.isSymbol(b + 1, u'.') && dateTimeColumnAt(b))
            return b + 1;
        return size_t(-1);
    }

    // DATETIME ± INTERVAL literal and DATETIME - DATETIME: the server's
    // functions, since the texts themselves do not add up.
    void dateTimeArithmetic(size_t m)
    {
        if ((!m_s.isSymbol(m, u'+') && !m_s.isSymbol(m, u'-')) || m == 0)
            return;
        const bool minus = m_s.isSymbol(m, u'-');
        const bool interval = m_s.isWord(m + 1, "interval") && m_s.isSymbol(m + 2, u'(');
        // An INTERVAL column: "name" or "table.name".
        const size_t named = m + 3 < m_s.size() && m_s.isSymbol(m + 2, u'.') ? m + 3 : m + 1;
        const bool intervalColumn = !interval && typeAt(named).startsWith(u"INTERVAL"_s);
        const size_t left = dateTimeBackward(m - 1, interval || intervalColumn);
        if (left == size_t(-1))
            return;
        if (intervalColumn) {
            const QString type = typeAt(named);
            const QString qual = type.mid(type.indexOf(u' ') + 1).simplified().toLower();
            m_edits.before[left].prepend(u"quoll_dtadd("_s);
            span(m, m, u", %1, "_s.arg(minus ? -1 : 1));
            m_edits.after[named].prepend(u", "_s + quoted(qual) + u')');
            return;
        }
        if (interval) {
            const size_t close = m_s.closing(m + 2);
            if (close >= m_s.size())
                return;
            const size_t end = qualifier(close + 1);
            if (end == close + 1)
                return;   // refused where the literal is read
            const qsizetype from = m_s[m + 2].end();
            const QString value = m_sql.mid(from, m_s[close].begin - from).toString().simplified();
            const qsizetype q = m_s[close + 1].begin;
            const QString qual = m_sql.mid(q, m_s[end - 1].end() - q).toString().simplified().toLower();
            m_edits.before[left].prepend(u"quoll_dtadd("_s);
            span(m, end - 1, u", %1, %2, %3)"_s.arg(minus ? -1 : 1).arg(quoted(value), quoted(qual)));
            return;
        }
        if (!minus)
            return;
        const size_t rightEnd = dateTimeForward(m + 1);
        if (rightEnd == size_t(-1) || rightEnd <= m + 1)
            return;
        m_edits.before[left].prepend(u"quoll_dtdiff("_s);
        span(m, m, u","_s);
        m_edits.after[rightEnd - 1].prepend(u')');
    }

    // EXTEND(value, first TO last): the server's function with the qualifier as text.
    void extendForm(size_t k)
    {
        if (!m_s.isWord(k, "extend") || !m_s.isSymbol(k + 1, u'('))
            return;
        const size_t close = m_s.closing(k + 1);
        int depth = 0;
        for (size_t j = k + 2; j < close; ++j) {
            if (m_s.isSymbol(j, u'('))
                ++depth;
            else if (m_s.isSymbol(j, u')'))
                --depth;
            else if (depth == 0 && m_s.isSymbol(j, u',')) {
                const size_t end = qualifier(j + 1);
                if (end == j + 1 || end != close)
                    throw StatementError(InformixCode::SyntaxError, m_s[j + 1 < m_s.size() ? j + 1 : j].begin);
                span(k, k, u"quoll_extend"_s);
                const qsizetype from = m_s[j + 1].begin;
                span(j + 1, end - 1, quoted(m_sql.mid(from, m_s[end - 1].end() - from).toString().simplified().toLower()));
                return;
            }
        }
    }

    const StatementTokens &m_s;
    QStringView m_sql;
    const SchemaLookup &m_schema;
    const QStringList &m_tablesInScope;
    DialectEdits &m_edits;
    // The stored tables the statement names, in the order they appear: a
    // statement names few, so a list beats hashing each word.
    std::vector<std::pair<QString, const std::vector<StoredColumn> *>> m_tables;
    QHash<QString, QString> m_aliases;   // alias -> table
    QString m_key;                        // see lowerKey()
};

} // namespace

DialectEdits planDialectEdits(const StatementTokens &statement, const SchemaLookup &schema,
                              const QStringList &tablesInScope)
{
    DialectEdits edits;
    Planner(statement, schema, tablesInScope, edits).plan();
    return edits;
}

} // namespace quoll::connection::embedded
