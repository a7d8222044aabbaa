#include "connection/embedded/rewrite/sqlrewriter.h"

#include "connection/embedded/rewrite/dialectedits.h"
#include "connection/embedded/sql/sqllexer.h"

#include <QStringList>

#include <algorithm>

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

void SqlRewriter::append(const RewrittenSql &part, qsizetype offset)
{
    const qsizetype base = m_result.m_text.size();
    for (const RewrittenSql::Segment &s : part.m_segments)
        m_result.m_segments.push_back({base + s.outBegin, offset + s.originalBegin, s.length});
    m_result.m_text += part.m_text;
}

namespace {

// The end of a "first TO last" qualifier ("year to fraction(3)",
// "day(5) to second") whose first field is the token at `j` or after
// blanks; 0 when none stands there.
qsizetype qualifierEnd(QStringView sql, const std::vector<SqlToken> &tokens, size_t j)
{
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
        const size_t afterWord = j;
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
        j = afterWord;
        return true;
    };
    if (!field())
        return 0;
    skipBlanks();
    if (j >= tokens.size() || !isKeyword(sql, tokens[j], "to"_L1))
        return 0;
    ++j;
    if (!field())
        return 0;
    return tokens[j - 1].end();
}

// When the word at `i` begins a DATETIME or INTERVAL type with its
// qualifier ("DATETIME YEAR TO FRACTION(3)", "INTERVAL DAY(5) TO SECOND"),
// the index just past the type; else 0.
qsizetype qualifiedTypeEnd(QStringView sql, const std::vector<SqlToken> &tokens, size_t i)
{
    if (!isKeyword(sql, tokens[i], "datetime"_L1) && !isKeyword(sql, tokens[i], "interval"_L1))
        return 0;
    return qualifierEnd(sql, tokens, i + 1);
}

// The projection clause of a SELECT: "SKIP m" and "FIRST n" (or "LIMIT n")
// right after the word SELECT, and UNIQUE as DISTINCT. They move to a
// LIMIT ... OFFSET ... at the statement's end.
struct Projection
{
    std::vector<size_t> removed;     // token indexes to drop
    size_t unique = size_t(-1);      // token index of UNIQUE
    QString limit;                   // text to put at the end
    qsizetype limitAt = -1;          // where it goes
};

Projection projectionOf(QStringView sql, const std::vector<SqlToken> &tokens)
{
    Projection p;
    // Only a SELECT has one; most statements of a long script are not.
    const auto opening = std::find_if(tokens.begin(), tokens.end(), [](const SqlToken &t) { return !t.isBlank(); });
    if (opening == tokens.end() || !isKeyword(sql, *opening, "select"_L1))
        return p;
    std::vector<size_t> words;
    for (size_t i = 0; i < tokens.size(); ++i)
        if (!tokens[i].isBlank())
            words.push_back(i);
    QString first, skip;
    size_t w = 1;
    while (w + 1 < words.size()) {
        const SqlToken &key = tokens[words[w]];
        const SqlToken &number = tokens[words[w + 1]];
        if (key.kind != SqlToken::Kind::Word || number.kind != SqlToken::Kind::Number)
            break;
        const QString k = lowerWord(sql, key);
        if (k == u"skip"_s && skip.isEmpty())
            skip = tokenText(sql, number).toString();
        else if ((k == u"first"_s || k == u"limit"_s) && first.isEmpty())
            first = tokenText(sql, number).toString();
        else
            break;
        p.removed.push_back(words[w]);
        p.removed.push_back(words[w + 1]);
        w += 2;
    }
    if (w < words.size() && tokens[words[w]].kind == SqlToken::Kind::Word && lowerWord(sql, tokens[words[w]]) == u"unique"_s)
        p.unique = words[w];
    if (first.isEmpty() && skip.isEmpty())
        return p;
    p.limit = u" LIMIT "_s + (first.isEmpty() ? u"-1"_s : first);
    if (!skip.isEmpty())
        p.limit += u" OFFSET "_s + skip;
    // Before the trailing semicolons, or at the very end.
    size_t last = words.size();
    while (last > 0 && tokens[words[last - 1]].kind == SqlToken::Kind::Symbol && sql[tokens[words[last - 1]].begin] == u';')
        --last;
    p.limitAt = last < words.size() ? tokens[words[last]].begin : tokens[words[last - 1]].end();
    return p;
}

} // namespace

// Every rewrite: `tablesInScope` lists the tables whose columns the text
// names without naming the table.
RewrittenSql rewriteStatement(QStringView sql, const std::vector<SqlToken> &tokens, const SchemaLookup &schema,
                              const QStringList &tablesInScope);

RewrittenSql rewriteForSqlite(QStringView sql, const SchemaLookup &schema)
{
    return rewriteForSqlite(sql, tokenize(sql), schema);
}

RewrittenSql rewriteForSqlite(QStringView sql, const std::vector<SqlToken> &tokens, const SchemaLookup &schema)
{
    return rewriteStatement(sql, tokens, schema, {});
}

RewrittenSql rewriteCondition(QStringView condition, const QString &table, const SchemaLookup &schema)
{
    return rewriteStatement(condition, tokenize(condition), schema, QStringList{table.toLower()});
}

RewrittenSql rewriteStatement(QStringView sql, const std::vector<SqlToken> &tokens, const SchemaLookup &schema,
                              const QStringList &tablesInScope)
{
    const Projection projection = projectionOf(sql, tokens);
    const DialectEdits edits = planDialectEdits(sql, tokens, schema, tablesInScope);
    SqlRewriter out(sql);
    out.result().m_dateColumns = std::move(edits.dateColumns);
    out.result().m_intoTemp = edits.intoTemp;
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
    bool limitPlaced = false;
    // Text put after tokens up to `last`, once each.
    size_t afterDone = 0;
    const auto putAfter = [&](size_t last) {
        for (; afterDone <= last && afterDone < tokens.size(); ++afterDone) {
            const auto it = edits.after.find(afterDone);
            if (it == edits.after.end())
                continue;
            flushTo(std::max(pending, tokens[afterDone].end()));
            out.replace(tokens[afterDone].end(), it->second);
        }
    };
    for (size_t i = 0; i < tokens.size(); putAfter(i), ++i) {
        const SqlToken &t = tokens[i];
        if (!limitPlaced && projection.limitAt >= 0 && t.begin >= projection.limitAt) {
            flushTo(projection.limitAt);
            out.replace(projection.limitAt, projection.limit);
            limitPlaced = true;
        }
        if (const auto it = edits.before.find(i); it != edits.before.end()) {
            flushTo(t.begin);
            out.replace(t.begin, it->second);
        }
        if (const auto it = edits.spans.find(i); it != edits.spans.end()) {
            flushTo(t.begin);
            out.replace(t.begin, it->second.second);
            const size_t last = it->second.first;
            // Text put after the tokens inside the span goes after it.
            QString trailing;
            for (size_t k = i; k <= last; ++k)
                if (const auto a = edits.after.find(k); a != edits.after.end())
                    trailing += a->second;
            pending = tokens[last].end();
            if (!trailing.isEmpty())
                out.replace(tokens[last].end(), trailing);
            afterDone = last + 1;
            i = last;
            continue;
        }
        if (std::find(projection.removed.begin(), projection.removed.end(), i) != projection.removed.end()) {
            flushTo(t.begin);
            out.replace(t.begin, QString(t.length, u' '));
            pending = t.end();
            continue;
        }
        if (i == projection.unique) {
            flushTo(t.begin);
            out.replace(t.begin, u"distinct"_s);
            pending = t.end();
            continue;
        }
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
            // Most words are left as they are: they are compared in place
            // and copied only when one of these is rewritten.
            const auto is = [&](QLatin1StringView w) { return isKeyword(sql, t, w); };
            // Catalog columns named like the storage engine's keywords
            // ("b.default", "r.primary") are quoted there.
            if (is("default"_L1) || is("primary"_L1)) {
                const SqlToken *before = neighbour(i, -1);
                if (before && before->kind == SqlToken::Kind::Symbol && sql[before->begin] == u'.') {
                    flushTo(t.begin);
                    out.replace(t.begin, QString(u'"' + lowerWord(sql, t) + u'"'));
                    pending = t.end();
                }
                continue;
            }
            if (is("matches"_L1)) {
                flushTo(t.begin);
                out.replace(t.begin, u"match"_s);
                pending = t.end();
                continue;
            }
            if (!is("user"_L1) && !is("today"_L1) && !is("dbservername"_L1) && !is("sitename"_L1) && !is("current"_L1))
                continue;
            const QString word = lowerWord(sql, t);
            const SqlToken *before = neighbour(i, -1);
            const SqlToken *after = neighbour(i, +1);
            const bool isName = (before && before->kind == SqlToken::Kind::Symbol && sql[before->begin] == u'.')
                                || (after && after->kind == SqlToken::Kind::Symbol && sql[after->begin] == u'(');
            if (isName)
                continue;
            // After DEFAULT the storage engine wants an expression in parentheses.
            const bool isDefault = before && isKeyword(sql, *before, "default"_L1);
            const QString function = word == u"sitename"_s ? u"dbservername"_s : word;
            QString call = u"quoll_"_s + function + u"()"_s;
            qsizetype end = t.end();
            if (word == u"current"_s) {
                // Its qualifier ("year to second") keeps those fields of the text.
                if (const qsizetype qualified = qualifierEnd(sql, tokens, i + 1); qualified > 0) {
                    const qsizetype from = tokens[i + 1].begin;
                    const QString qualifier = sql.mid(from, qualified - from).toString().simplified().toLower();
                    call = u"quoll_extend("_s + call + u", '"_s + qualifier + u"')"_s;
                    end = qualified;
                    while (i + 1 < tokens.size() && tokens[i + 1].begin < end)
                        ++i;
                }
            }
            if (isDefault)
                call = u'(' + call + u')';
            flushTo(t.begin);
            out.replace(t.begin, call);
            pending = end;
        }
    }
    if (!limitPlaced && projection.limitAt >= 0) {
        flushTo(projection.limitAt);
        out.replace(projection.limitAt, projection.limit);
    }
    flushTo(sql.size());
    return out.finish();
}

} // namespace quoll::connection::embedded
