#include "connection/embedded/rewrite/dialectplanner.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

// A string or parameter compared with a DATE column: "placed = '12/31/2024'",
// "'01/01/2024' < placed", "placed between ? and '...'", "placed in (...)".
void DialectPlanner::comparedWithDate(size_t k)
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

// A DATE compared with a DATETIME is extended to the DATETIME's fields,
// as its text then compares as the DATETIME's does.
void DialectPlanner::dateComparedWithDateTime(size_t k)
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
void DialectPlanner::matchedDate(size_t k)
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

// INSERT INTO t [(columns)] VALUES (values): values for DATE columns.
void DialectPlanner::insertValues()
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
void DialectPlanner::updateSet()
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
void DialectPlanner::intoTemp()
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
bool DialectPlanner::dateOperand(size_t a, size_t b) const
{
    if (b == a + 1)
        return m_s.isWord(a, "today") || dateColumnAt(a);
    if (b == a + 3 && m_s.isSymbol(a + 1, u'.'))
        return dateColumnAt(a + 2);
    if (b > a + 1 && m_s.isSymbol(a + 1, u'(') && m_s.closing(a + 1) == b - 1) {
        if (m_s.isWord(a, "min") || m_s.isWord(a, "max"))
            return dateExpression(a + 2, b - 1);
        if (m_s.isWord(a, "nvl")) {
            // NVL() without arguments is the storage engine's error to give.
            const auto args = commaList(a + 2, b - 1);
            return !args.empty() && dateExpression(a + 2, args.front().second);
        }
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
bool DialectPlanner::allDates(const std::vector<std::pair<size_t, size_t>> &results) const
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
bool DialectPlanner::caseOfDates(size_t a, size_t b) const
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
bool DialectPlanner::dateExpression(size_t a, size_t b) const
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
void DialectPlanner::projectionDates()
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

} // namespace quoll::connection::embedded
