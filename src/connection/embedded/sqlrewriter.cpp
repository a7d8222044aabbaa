#include "connection/embedded/sqlrewriter.h"

#include "connection/embedded/sqllexer.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

qsizetype RewrittenSql::originalIndex(qsizetype index) const
{
    // The last segment that starts at or before `index`.
    qsizetype lo = 0, hi = qsizetype(m_segments.size()) - 1, found = -1;
    while (lo <= hi) {
        const qsizetype mid = (lo + hi) / 2;
        if (m_segments[size_t(mid)].outBegin <= index) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (found < 0)
        return 0;
    const Segment &s = m_segments[size_t(found)];
    if (s.length == 0)
        return s.originalBegin;
    return s.originalBegin + std::min(index - s.outBegin, s.length - 1);
}

void SqlRewriter::copy(qsizetype begin, qsizetype length)
{
    if (length <= 0)
        return;
    m_result.m_segments.push_back({m_result.m_text.size(), begin, length});
    m_result.m_text += m_original.mid(begin, length);
}

void SqlRewriter::replace(qsizetype originalBegin, QStringView text)
{
    m_result.m_segments.push_back({m_result.m_text.size(), originalBegin, 0});
    m_result.m_text += text;
}

namespace {

bool isQualifierWord(const QString &word)
{
    static const QStringList words{u"year"_s, u"month"_s, u"day"_s, u"hour"_s, u"minute"_s, u"second"_s, u"fraction"_s};
    return words.contains(word);
}

// When the word at `i` begins a DATETIME or INTERVAL type with its
// qualifier ("DATETIME YEAR TO FRACTION(3)", "INTERVAL DAY(5) TO SECOND"),
// the index just past the type; else 0.
qsizetype qualifiedTypeEnd(QStringView sql, const std::vector<SqlToken> &tokens, size_t i)
{
    if (tokens[i].kind != SqlToken::Kind::Word)
        return 0;
    const QString head = lowerWord(sql, tokens[i]);
    if (head != u"datetime"_s && head != u"interval"_s)
        return 0;
    size_t j = i + 1;
    const auto skipBlanks = [&] {
        while (j < tokens.size() && tokens[j].isBlank())
            ++j;
    };
    const auto symbol = [&](QChar c) {
        return j < tokens.size() && tokens[j].kind == SqlToken::Kind::Symbol && sql[tokens[j].begin] == c;
    };
    // A qualifier field, optionally with "(n)"; returns false when none.
    const auto field = [&]() -> bool {
        skipBlanks();
        if (j >= tokens.size() || tokens[j].kind != SqlToken::Kind::Word || !isQualifierWord(lowerWord(sql, tokens[j])))
            return false;
        ++j;
        size_t k = j;
        skipBlanks();
        if (symbol(u'(')) {
            ++j;
            skipBlanks();
            if (j < tokens.size() && tokens[j].kind == SqlToken::Kind::Number)
                ++j;
            skipBlanks();
            if (symbol(u')')) {
                ++j;
                return true;
            }
        }
        j = k;
        return true;
    };
    if (!field())
        return 0;
    skipBlanks();
    if (j >= tokens.size() || tokens[j].kind != SqlToken::Kind::Word || lowerWord(sql, tokens[j]) != u"to"_s)
        return 0;
    ++j;
    if (!field())
        return 0;
    return tokens[j - 1].end();
}

} // namespace

RewrittenSql rewriteForSqlite(QStringView sql)
{
    const std::vector<SqlToken> tokens = tokenize(sql);
    SqlRewriter out(sql);
    qsizetype pending = 0; // start of the run of unchanged text not yet copied
    const auto flushTo = [&](qsizetype end) {
        out.copy(pending, end - pending);
        pending = end;
    };
    // The previous and next significant tokens decide whether a word is a
    // constant or a name (after "." or before "(" it is a name).
    const auto neighbour = [&](size_t i, int step) -> const SqlToken * {
        for (qsizetype j = qsizetype(i) + step; j >= 0 && j < qsizetype(tokens.size()); j += step)
            if (!tokens[size_t(j)].isBlank())
                return &tokens[size_t(j)];
        return nullptr;
    };
    for (size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken &t = tokens[i];
        if (const qsizetype typeEnd = qualifiedTypeEnd(sql, tokens, i); typeEnd > 0) {
            // "DATETIME YEAR TO SECOND" as a type: one quoted name, which the
            // storage engine keeps as the column's declared type.
            flushTo(t.begin);
            const QString declared = sql.mid(t.begin, typeEnd - t.begin).toString().simplified().toUpper();
            out.replace(t.begin, QString(u'"' + declared + u'"'));
            pending = typeEnd;
            while (i + 1 < tokens.size() && tokens[i + 1].begin < typeEnd)
                ++i;
            continue;
        }
        if (t.kind == SqlToken::Kind::QuotedString) {
            flushTo(t.begin);
            QString literal = stringValue(sql, t);
            literal.replace(u"'"_s, u"''"_s);
            out.replace(t.begin, QString(u'\'' + literal + (t.terminated ? u"'"_s : QString())));
            pending = t.end();
        } else if (t.kind == SqlToken::Kind::BraceComment) {
            flushTo(t.begin);
            out.replace(t.begin, QString(t.length, u' '));
            pending = t.end();
        } else if (t.kind == SqlToken::Kind::Word) {
            const QString word = lowerWord(sql, t);
            if (word != u"user"_s && word != u"today"_s)
                continue;
            const SqlToken *before = neighbour(i, -1);
            const SqlToken *after = neighbour(i, +1);
            const bool isName = (before && before->kind == SqlToken::Kind::Symbol && sql[before->begin] == u'.')
                                || (after && after->kind == SqlToken::Kind::Symbol && sql[after->begin] == u'(');
            if (isName)
                continue;
            flushTo(t.begin);
            out.replace(t.begin, QString(u"quoll_"_s + word + u"()"_s));
            pending = t.end();
        }
    }
    flushTo(sql.size());
    return out.finish();
}

} // namespace quoll::connection::embedded
