#include "connection/embedded/rewrite/sqlrewriter.h"

#include "connection/embedded/rewrite/dialectedits.h"
#include "connection/embedded/sql/statementtokens.h"

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
// "day(5) to second") whose first field is the token at `k`; 0 when none
// stands there.
qsizetype qualifierEnd(const StatementTokens &s, size_t k)
{
    // A qualifier field, optionally with "(n)"; false when none.
    const auto field = [&]() -> bool {
        if (!s.isWord(k) || !isQualifierWord(s.lower(k)))
            return false;
        ++k;
        if (s.isSymbol(k, u'(')) {
            const size_t close = s.isNumber(k + 1) ? k + 2 : k + 1;
            if (s.isSymbol(close, u')'))
                k = close + 1;
        }
        return true;
    };
    if (!field() || !s.isWord(k, "to"))
        return 0;
    ++k;
    if (!field())
        return 0;
    return s[k - 1].end();
}

// When the word at `k` begins a DATETIME or INTERVAL type with its
// qualifier ("DATETIME YEAR TO FRACTION(3)", "INTERVAL DAY(5) TO SECOND"),
// where the type ends; else 0.
qsizetype qualifiedTypeEnd(const StatementTokens &s, size_t k)
{
    if (!s.isWord(k, "datetime") && !s.isWord(k, "interval"))
        return 0;
    return qualifierEnd(s, k + 1);
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

Projection projectionOf(const StatementTokens &s)
{
    Projection p;
    // Only a SELECT has one; most statements of a long script are not.
    if (!s.isWord(0, "select"))
        return p;
    QString first, skip;
    size_t k = 1;
    while (s.isWord(k) && s.isNumber(k + 1)) {
        if (s.isWord(k, "skip") && skip.isEmpty())
            skip = s.text(k + 1).toString();
        else if ((s.isWord(k, "first") || s.isWord(k, "limit")) && first.isEmpty())
            first = s.text(k + 1).toString();
        else
            break;
        p.removed.push_back(k);
        p.removed.push_back(k + 1);
        k += 2;
    }
    if (s.isWord(k, "unique"))
        p.unique = k;
    if (first.isEmpty() && skip.isEmpty())
        return p;
    p.limit = u" LIMIT "_s + (first.isEmpty() ? u"-1"_s : first);
    if (!skip.isEmpty())
        p.limit += u" OFFSET "_s + skip;
    // Before the trailing semicolons, or at the very end.
    p.limitAt = s.statementEnd();
    return p;
}

} // namespace

// Every rewrite: `tablesInScope` lists the tables whose columns the text
// names without naming the table.
RewrittenSql rewriteStatement(const StatementTokens &statement, const SchemaLookup &schema,
                              const QStringList &tablesInScope);

RewrittenSql rewriteForSqlite(QStringView sql, const SchemaLookup &schema)
{
    return rewriteStatement(StatementTokens(sql), schema, {});
}

RewrittenSql rewriteForSqlite(const StatementTokens &statement, const SchemaLookup &schema)
{
    return rewriteStatement(statement, schema, {});
}

RewrittenSql rewriteCondition(QStringView condition, const QString &table, const SchemaLookup &schema)
{
    return rewriteStatement(StatementTokens(condition), schema, QStringList{table.toLower()});
}

RewrittenSql rewriteStatement(const StatementTokens &s, const SchemaLookup &schema, const QStringList &tablesInScope)
{
    const QStringView sql = s.sql();
    const std::vector<SqlToken> &all = s.all();
    const Projection projection = projectionOf(s);
    const DialectEdits edits = planDialectEdits(s, schema, tablesInScope);
    SqlRewriter out(sql);
    out.result().m_dateColumns = std::move(edits.dateColumns);
    out.result().m_intoTemp = edits.intoTemp;
    qsizetype pending = 0; // start of the run of unchanged text not yet copied
    const auto flushTo = [&](qsizetype end) {
        out.copy(pending, end - pending);
        pending = end;
    };
    bool limitPlaced = false;
    // Text put after tokens up to `last`, once each.
    size_t afterDone = 0;
    const auto putAfter = [&](size_t last) {
        for (; afterDone <= last && afterDone < s.size(); ++afterDone) {
            const auto it = edits.after.find(afterDone);
            if (it == edits.after.end())
                continue;
            flushTo(std::max(pending, s[afterDone].end()));
            out.replace(s[afterDone].end(), it->second);
        }
    };
    // Every token in order, `k` counting the significant ones: blanks only
    // matter as brace comments, which become spaces.
    size_t k = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        const SqlToken &t = all[i];
        if (!limitPlaced && projection.limitAt >= 0 && t.begin >= projection.limitAt) {
            flushTo(projection.limitAt);
            out.replace(projection.limitAt, projection.limit);
            limitPlaced = true;
        }
        if (t.isBlank()) {
            if (t.kind == SqlToken::Kind::BraceComment && t.begin >= pending) {
                flushTo(t.begin);
                out.replace(t.begin, QString(t.length, u' '));
                pending = t.end();
            }
            continue;
        }
        if (k >= s.size())
            continue;   // a trailing semicolon
        const size_t current = k++;
        const auto done = [&](size_t last) {
            putAfter(last);
            while (i + 1 < all.size() && all[i + 1].begin < s[last].end())
                ++i;
            k = last + 1;
        };
        if (const auto it = edits.before.find(current); it != edits.before.end()) {
            flushTo(t.begin);
            out.replace(t.begin, it->second);
        }
        if (const auto it = edits.spans.find(current); it != edits.spans.end()) {
            flushTo(t.begin);
            out.replace(t.begin, it->second.second);
            const size_t last = it->second.first;
            // Text put after the tokens inside the span goes after it.
            QString trailing;
            for (size_t j = current; j <= last; ++j)
                if (const auto a = edits.after.find(j); a != edits.after.end())
                    trailing += a->second;
            pending = s[last].end();
            if (!trailing.isEmpty())
                out.replace(s[last].end(), trailing);
            afterDone = last + 1;
            done(last);
            continue;
        }
        if (std::find(projection.removed.begin(), projection.removed.end(), current) != projection.removed.end()) {
            flushTo(t.begin);
            out.replace(t.begin, QString(t.length, u' '));
            pending = t.end();
        } else if (current == projection.unique) {
            flushTo(t.begin);
            out.replace(t.begin, u"distinct"_s);
            pending = t.end();
        } else if (const qsizetype typeEnd = qualifiedTypeEnd(s, current); typeEnd > 0) {
            // "DATETIME YEAR TO SECOND" as a type: one quoted name, which the
            // storage engine keeps as the column's declared type.
            flushTo(t.begin);
            const QString declared = sql.mid(t.begin, typeEnd - t.begin).toString().simplified().toUpper();
            out.replace(t.begin, QString(u'"' + declared + u'"'));
            pending = typeEnd;
            size_t last = current;
            while (last + 1 < s.size() && s[last + 1].begin < typeEnd)
                ++last;
            done(last);
            continue;
        } else if (t.kind == SqlToken::Kind::QuotedString) {
            flushTo(t.begin);
            QString literal = stringValue(sql, t);
            literal.replace(u"'"_s, u"''"_s);
            out.replace(t.begin, QString(u'\'' + literal + (t.terminated ? u"'"_s : QString())));
            pending = t.end();
        } else if (t.kind == SqlToken::Kind::Word) {
            // The previous and next tokens decide whether a word is a
            // constant or a name (after "." or before "(" it is a name).
            const bool afterDot = current > 0 && s.isSymbol(current - 1, u'.');
            // Catalog columns named like the storage engine's keywords
            // ("b.default", "r.primary") are quoted there.
            if (s.isWord(current, "default") || s.isWord(current, "primary")) {
                if (afterDot) {
                    flushTo(t.begin);
                    out.replace(t.begin, QString(u'"' + s.lower(current) + u'"'));
                    pending = t.end();
                }
            } else if (s.isWord(current, "matches")) {
                flushTo(t.begin);
                out.replace(t.begin, u"match"_s);
                pending = t.end();
            } else if ((s.isWord(current, "user") || s.isWord(current, "today") || s.isWord(current, "dbservername")
                        || s.isWord(current, "sitename") || s.isWord(current, "current"))
                       && !afterDot && !s.isSymbol(current + 1, u'(')) {
                const QString word = s.lower(current);
                // After DEFAULT the storage engine wants an expression in parentheses.
                const bool isDefault = current > 0 && s.isWord(current - 1, "default");
                const QString function = word == u"sitename"_s ? u"dbservername"_s : word;
                QString call = u"quoll_"_s + function + u"()"_s;
                qsizetype end = t.end();
                size_t last = current;
                if (word == u"current"_s) {
                    // Its qualifier ("year to second") keeps those fields of the text.
                    if (const qsizetype qualified = qualifierEnd(s, current + 1); qualified > 0) {
                        const qsizetype from = s[current + 1].begin;
                        const QString qualifier = sql.mid(from, qualified - from).toString().simplified().toLower();
                        call = u"quoll_extend("_s + call + u", '"_s + qualifier + u"')"_s;
                        end = qualified;
                        while (last + 1 < s.size() && s[last + 1].begin < end)
                            ++last;
                    }
                }
                if (isDefault)
                    call = u'(' + call + u')';
                flushTo(t.begin);
                out.replace(t.begin, call);
                pending = end;
                done(last);
                continue;
            }
        }
        putAfter(current);
    }
    if (!limitPlaced && projection.limitAt >= 0) {
        flushTo(projection.limitAt);
        out.replace(projection.limitAt, projection.limit);
    }
    flushTo(sql.size());
    return out.finish();
}

} // namespace quoll::connection::embedded
