#include "connection/embedded/rewrite/dialectplanner.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

// The qualifier of the DATETIME operand [a, e] ("year to minute").
QString DialectPlanner::dateTimeQualifier(size_t a, size_t e) const
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

// The end of a "first TO last" qualifier starting at `k`: one past it,
// or k when none stands there.
size_t DialectPlanner::qualifier(size_t k) const
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
void DialectPlanner::timeLiteral(size_t k)
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
size_t DialectPlanner::opening(size_t close) const
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
size_t DialectPlanner::qualifierBackward(size_t e) const
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

// The start of a DATETIME operand ending at `e` (a DATETIME column,
// CURRENT, a DATETIME literal, EXTEND(...)), or npos.
// With `withDates`, DATE columns and TODAY too.
size_t DialectPlanner::dateTimeBackward(size_t e, bool withDates) const
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
size_t DialectPlanner::dateTimeForward(size_t b) const
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

size_t DialectPlanner::timeSumBackward(size_t e) const
{
    const auto sum = m_timeSums.find(e);
    return sum == m_timeSums.end() ? size_t(-1) : sum->second;
}

size_t DialectPlanner::primaryForward(size_t b) const
{
    if (b >= m_s.size())
        return size_t(-1);
    if (m_s.isSymbol(b, u'(')) {
        const size_t close = m_s.closing(b);
        return close < m_s.size() ? close + 1 : size_t(-1);
    }
    if (m_s.isNumber(b))
        return b + 1;
    if (m_s.isSymbol(b, u'-') && m_s.isNumber(b + 1))
        return b + 2;
    if (!m_s.isWord(b))
        return size_t(-1);
    size_t j = b + 1;
    while (m_s.isSymbol(j, u'.') && m_s.isWord(j + 1))
        j += 2;
    if (m_s.isSymbol(j, u'(')) {
        const size_t close = m_s.closing(j);
        return close < m_s.size() ? close + 1 : size_t(-1);
    }
    return j;
}

size_t DialectPlanner::primaryBackward(size_t e) const
{
    if (e >= m_s.size())
        return size_t(-1);
    if (m_s.isSymbol(e, u')')) {
        const size_t open = opening(e);
        if (open == size_t(-1))
            return open;
        return open > 0 && m_s.isWord(open - 1) ? open - 1 : open;
    }
    if (!m_s.isWord(e) && !m_s.isNumber(e))
        return size_t(-1);
    size_t j = e;
    while (j >= 2 && m_s.isSymbol(j - 1, u'.') && m_s.isWord(j - 2))
        j -= 2;
    return j;
}

// DATETIME ± INTERVAL literal and DATETIME - DATETIME: the server's
// functions, since the texts themselves do not add up.
void DialectPlanner::dateTimeArithmetic(size_t m)
{
    if ((!m_s.isSymbol(m, u'+') && !m_s.isSymbol(m, u'-')) || m == 0)
        return;
    const bool minus = m_s.isSymbol(m, u'-');
    // "n UNITS field": an INTERVAL of one field. The left side is a
    // DATETIME or DATE, or taken as one when its type is not known (a
    // routine's variable); the function refuses what is neither.
    if (const size_t operandEnd = primaryForward(m + 1); operandEnd != size_t(-1) && m_s.isWord(operandEnd, "units")
        && m_s.isWord(operandEnd + 1) && isQualifierWord(m_s.lower(operandEnd + 1))) {
        size_t left = timeSumBackward(m - 1);
        if (left == size_t(-1))
            left = dateTimeBackward(m - 1, true);
        if (left == size_t(-1))
            left = primaryBackward(m - 1);
        if (left == size_t(-1))
            return;
        const QString field = m_s.lower(operandEnd + 1);
        m_edits.before[left].prepend(u"quoll_dtadd("_s);
        span(m, m, u", %1, "_s.arg(minus ? -1 : 1));
        span(operandEnd, operandEnd + 1, u", '%1 to %1')"_s.arg(field));
        m_timeSums[operandEnd + 1] = left;
        return;
    }
    const bool interval = m_s.isWord(m + 1, "interval") && m_s.isSymbol(m + 2, u'(');
    // An INTERVAL column: "name" or "table.name".
    const size_t named = m + 3 < m_s.size() && m_s.isSymbol(m + 2, u'.') ? m + 3 : m + 1;
    const bool intervalColumn = !interval && typeAt(named).startsWith(u"INTERVAL"_s);
    size_t left = interval || intervalColumn ? timeSumBackward(m - 1) : size_t(-1);
    if (left == size_t(-1))
        left = dateTimeBackward(m - 1, interval || intervalColumn);
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
        m_timeSums[end - 1] = left;
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

} // namespace quoll::connection::embedded
