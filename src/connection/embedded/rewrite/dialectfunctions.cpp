#include "connection/embedded/rewrite/dialectplanner.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

// name[a,b] and name[a]: the characters a to b of a column.
// Anything else in brackets is refused: the storage engine would read
// "[...]" as a quoted name.
void DialectPlanner::subscript(size_t k)
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
void DialectPlanner::trimForm(size_t k)
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
void DialectPlanner::substringForm(size_t k)
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

// EXTEND(value, first TO last): the server's function with the qualifier as text.
void DialectPlanner::extendForm(size_t k)
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

// sequence.NEXTVAL and owner.sequence.CURRVAL: the server's functions
// with the sequence's name, when the name before the dot is no table or
// alias of the statement.
void DialectPlanner::sequenceValue(size_t k)
{
    const bool next = m_s.isWord(k, "nextval");
    if ((!next && !m_s.isWord(k, "currval")) || k < 2 || !m_s.isSymbol(k - 1, u'.'))
        return;
    const auto isName = [&](size_t j) { return m_s.isWord(j) || m_s.isString(j); };
    if (!isName(k - 2))
        return;
    const QString name = m_s.isWord(k - 2) ? m_s.lower(k - 2) : m_s.value(k - 2).toLower();
    if (m_aliases.contains(name) || tableColumns(name))
        return;
    size_t start = k - 2;
    if (start >= 2 && m_s.isSymbol(start - 1, u'.') && isName(start - 2))
        start -= 2;
    span(start, k, u"%1(%2)"_s.arg(next ? u"quoll_nextval"_s : u"quoll_currval"_s, quoted(name)));
}

void DialectPlanner::dateToChar(size_t k)
{
    if (!m_s.isWord(k, "to_char") || !m_s.isSymbol(k + 1, u'('))
        return;
    const size_t close = m_s.closing(k + 1);
    if (close >= m_s.size())
        return;
    size_t end = close;
    int depth = 0;
    for (size_t j = k + 2; j < close; ++j) {
        if (m_s.isSymbol(j, u'('))
            ++depth;
        else if (m_s.isSymbol(j, u')'))
            --depth;
        else if (depth == 0 && m_s.isSymbol(j, u',')) {
            end = j;
            break;
        }
    }
    if (end > k + 2 && (dateOperand(k + 2, end) || dateExpression(k + 2, end)))
        span(k, k, u"quoll_date_char"_s);
}

} // namespace quoll::connection::embedded
