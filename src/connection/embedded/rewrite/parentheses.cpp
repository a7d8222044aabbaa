#include "connection/embedded/rewrite/parentheses.h"

#include "connection/embedded/sql/statementtokens.h"

#include <QStringList>

#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// Binding strength of the binary operators, as the storage engine reads
// them (higher binds tighter); 0 for a token that is no binary operator.
enum Strength : int {
    None = 0, Or = 1, And = 2, Not = 3, Equality = 4, Comparison = 5, Bitwise = 6, Additive = 7,
    Multiplicative = 8, Concatenation = 9,
};

// A group's neighbour or a token inside it, as this pass sees it.
struct Operator
{
    int strength = None;
    bool boundary = false;   // a place where an expression begins or ends
};

class Flattener
{
public:
    explicit Flattener(const StatementTokens &w) : m_w(w), m_removed(w.size(), false), m_match(w.size(), size_t(-1))
    {
        std::vector<size_t> open;
        for (size_t k = 0; k < w.size(); ++k) {
            if (w.isSymbol(k, u'(')) {
                open.push_back(k);
            } else if (w.isSymbol(k, u')') && !open.empty()) {
                m_match[open.back()] = k;
                m_match[k] = open.back();
                m_groups.push_back(open.back());   // closed in order: innermost first
                open.pop_back();
            }
        }
    }

    bool run()
    {
        bool any = false;
        for (size_t open : m_groups) {
            if (canRemove(open, m_match[open])) {
                m_removed[open] = m_removed[m_match[open]] = true;
                any = true;
            }
        }
        return any;
    }

    QString text() const
    {
        QString out = m_w.sql().toString();
        for (size_t k = 0; k < m_w.size(); ++k)
            if (m_removed[k])
                out[m_w[k].begin] = u' ';
        return out;
    }

private:
    // The strength of the binary operator made by the token at `k` (and the
    // one after it, for "||", "<=", "<>", ...); `length` gets its tokens.
    int binaryAt(size_t k, size_t &length) const
    {
        length = 1;
        if (m_w.isWord(k, "or"))
            return Or;
        if (m_w.isWord(k, "and"))
            return And;
        if (k >= m_w.size() || m_w[k].kind != SqlToken::Kind::Symbol)
            return None;
        // "||", "<=", ... may be one token or two side by side.
        const QStringView text = m_w.text(k);
        const QChar c = text.front();
        const bool joined = text.size() >= 2;
        const QChar next = joined ? text[1]
                           : k + 1 < m_w.size() && m_w[k + 1].kind == SqlToken::Kind::Symbol
                                   && m_w[k + 1].begin == m_w[k].end()
                               ? m_w.sql()[m_w[k + 1].begin]
                               : QChar();
        const auto two = [&](QChar second) {
            if (next != second)
                return false;
            length = joined ? 1 : 2;
            return true;
        };
        switch (c.unicode()) {
        case '|': return two(u'|') ? Concatenation : Bitwise;
        case '*': case '/': case '%': return Multiplicative;
        case '+': case '-': return Additive;
        case '&': return Bitwise;
        case '<':
            if (two(u'>'))
                return Equality;
            if (two(u'<'))
                return Bitwise;
            two(u'=');
            return Comparison;
        case '>':
            if (two(u'>'))
                return Bitwise;
            two(u'=');
            return Comparison;
        case '=': two(u'='); return Equality;
        case '!': return two(u'=') ? Equality : None;
        default: return None;
        }
    }

    // The end of the operand starting at `k` within [k, end), skipping
    // groups (kept or not) and calls; npos when something there is not a
    // plain operand (a keyword, a subquery).
    size_t operandEnd(size_t k, size_t end) const
    {
        if (k >= end)
            return size_t(-1);
        if (m_w.isSymbol(k, u'('))
            return m_match[k] == size_t(-1) ? size_t(-1) : m_match[k] + 1;
        if (m_w.isNumber(k) || m_w.isString(k))
            return k + 1;
        if (!m_w.isWord(k))
            return size_t(-1);
        // Words that make the operand something else than a value.
        static const QStringList refused{u"select"_s, u"not"_s,  u"is"_s,     u"in"_s,    u"like"_s,
                                         u"between"_s, u"matches"_s, u"exists"_s, u"case"_s, u"escape"_s,
                                         u"collate"_s, u"glob"_s, u"regexp"_s, u"when"_s,  u"then"_s,
                                         u"else"_s,    u"end"_s,  u"from"_s,   u"where"_s, u"as"_s,
                                         u"and"_s,     u"or"_s,   u"distinct"_s, u"all"_s, u"any"_s,
                                         u"some"_s,    u"unique"_s, u"null"_s};
        if (refused.contains(m_w.lower(k)))
            return m_w.isWord(k, "null") ? k + 1 : size_t(-1);
        size_t j = k + 1;
        while (j + 1 < end && m_w.isSymbol(j, u'.') && m_w.isWord(j + 1))
            j += 2;
        if (j < end && m_w.isSymbol(j, u'('))
            return m_match[j] == size_t(-1) ? size_t(-1) : m_match[j] + 1;
        return j;
    }

    // The weakest operator at the top level of (open, close), treating
    // blanked groups as gone; npos... as -1 when the contents are not a
    // plain expression of operands and binary operators.
    int weakestInside(size_t open, size_t close, bool &single) const
    {
        int weakest = 100;
        single = true;
        size_t k = open + 1;
        bool expectOperand = true;
        while (k < close) {
            if (m_removed[k]) {   // a blanked parenthesis: its contents are at this level
                ++k;
                continue;
            }
            if (expectOperand) {
                // A unary sign before an operand.
                if (m_w.isSymbol(k, u'-') || m_w.isSymbol(k, u'+')) {
                    ++k;
                    single = false;
                    continue;
                }
                const size_t end = operandEnd(k, close);
                if (end == size_t(-1) || end > close)
                    return -1;
                k = end;
                expectOperand = false;
                continue;
            }
            size_t length = 1;
            const int strength = binaryAt(k, length);
            if (strength == None)
                return -1;
            weakest = std::min(weakest, strength);
            single = false;
            k += length;
            expectOperand = true;
        }
        return expectOperand ? -1 : weakest;
    }

    // The operator (or boundary) before the group at `open`.
    Operator before(size_t open) const
    {
        size_t k = open;
        while (k > 0 && m_removed[k - 1])
            --k;
        if (k == 0)
            return {None, true};
        const size_t p = k - 1;
        if (m_w.isSymbol(p, u'(')) {
            // An argument list or another group: a boundary either way.
            return {None, true};
        }
        if (m_w.isSymbol(p, u','))
            return {None, true};
        if (m_w.isWord(p, "not"))
            return {Not, false};
        static const QStringList boundaries{u"where"_s, u"on"_s, u"having"_s, u"when"_s, u"then"_s, u"else"_s};
        if (m_w.isWord(p) && boundaries.contains(m_w.lower(p)))
            return {None, true};
        // A binary operator of one or two tokens ending at p.
        size_t length = 1;
        if (p >= 1) {
            const int strength = binaryAt(p - 1, length);
            if (strength != None && length == 2)
                return {strength, false};
        }
        const int strength = binaryAt(p, length);
        if (strength != None && length == 1)
            return {strength, false};
        return {None, false};
    }

    // The operator (or boundary) after the group closing at `close`.
    Operator after(size_t close) const
    {
        size_t k = close + 1;
        while (k < m_w.size() && m_removed[k])
            ++k;
        if (k >= m_w.size() || m_w.isSymbol(k, u')') || m_w.isSymbol(k, u','))
            return {None, true};
        static const QStringList boundaries{u"then"_s, u"else"_s, u"end"_s,   u"when"_s,  u"from"_s,
                                            u"where"_s, u"group"_s, u"order"_s, u"having"_s, u"union"_s,
                                            u"into"_s};
        if (m_w.isWord(k) && boundaries.contains(m_w.lower(k)))
            return {None, true};
        size_t length = 1;
        const int strength = binaryAt(k, length);
        return {strength, false};
    }

    bool canRemove(size_t open, size_t close) const
    {
        // A group right after a name is a call's argument list; after a
        // keyword (IN, VALUES, EXISTS, ...) it belongs to that keyword.
        if (open > 0 && !m_removed[open - 1] && (m_w.isWord(open - 1) && !m_w.isWord(open - 1, "and")
                                                 && !m_w.isWord(open - 1, "or") && !m_w.isWord(open - 1, "not")
                                                 && !m_w.isWord(open - 1, "where") && !m_w.isWord(open - 1, "on")
                                                 && !m_w.isWord(open - 1, "having") && !m_w.isWord(open - 1, "when")
                                                 && !m_w.isWord(open - 1, "then") && !m_w.isWord(open - 1, "else")))
            return false;
        bool single = false;
        const int weakest = weakestInside(open, close, single);
        if (weakest < 0)
            return false;
        const Operator left = before(open);
        const Operator right = after(close);
        if ((!left.boundary && left.strength == None) || (!right.boundary && right.strength == None))
            return false;
        if (single)
            return true;   // one operand: nothing binds differently
        // The group is the right operand of `left`: its operators must bind
        // tighter, or as tightly where grouping does not matter (AND, OR, ||).
        if (!left.boundary) {
            const bool associative = weakest == left.strength
                                     && (weakest == And || weakest == Or || weakest == Concatenation);
            if (weakest < left.strength || (weakest == left.strength && !associative))
                return false;
            if (left.strength == Not && weakest <= Not)
                return false;
        }
        // The group is the left operand of `right`: its operators must bind
        // at least as tightly (the engine reads left to right).
        if (!right.boundary && weakest < right.strength)
            return false;
        return true;
    }

    const StatementTokens &m_w;
    std::vector<bool> m_removed;
    std::vector<size_t> m_match;
    std::vector<size_t> m_groups;
};

int nestingOf(const StatementTokens &w)
{
    int depth = 0, deepest = 0;
    for (size_t k = 0; k < w.size(); ++k) {
        if (w.isSymbol(k, u'('))
            deepest = std::max(deepest, ++depth);
        else if (w.isSymbol(k, u')'))
            --depth;
    }
    return deepest;
}

} // namespace

std::optional<QString> flattenDeepParentheses(const StatementTokens &statement)
{
    if (nestingOf(statement) < DeepNesting)
        return std::nullopt;
    Flattener flattener(statement);
    if (!flattener.run())
        return std::nullopt;
    return flattener.text();
}

} // namespace quoll::connection::embedded
