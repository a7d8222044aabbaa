#include "connection/embedded/outerjoin.h"

#include "connection/embedded/sqllexer.h"

#include <QStringList>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

struct Item
{
    qsizetype begin, end;   // the item's text, without OUTER
    QString name;           // alias, else table name, in lower case
    bool outer;
};

bool isWordToken(QStringView sql, const SqlToken &t, QLatin1String w)
{
    return t.kind == SqlToken::Kind::Word && tokenText(sql, t).compare(w, Qt::CaseInsensitive) == 0;
}

bool isSymbolToken(QStringView sql, const SqlToken &t, QChar c)
{
    return t.kind == SqlToken::Kind::Symbol && sql[t.begin] == c;
}

// Whether the tokens [from, to) name `alias` as "alias.".
bool mentions(QStringView sql, const std::vector<SqlToken> &w, size_t from, size_t to, const QString &alias)
{
    for (size_t i = from; i + 1 < to; ++i)
        if (w[i].kind == SqlToken::Kind::Word && lowerWord(sql, w[i]) == alias && isSymbolToken(sql, w[i + 1], u'.'))
            return true;
    return false;
}

} // namespace

std::optional<QString> rewriteOuterJoins(QStringView sql)
{
    const std::vector<SqlToken> w = significant(tokenize(sql));
    if (w.empty() || !isWordToken(sql, w[0], QLatin1String("select")))
        return std::nullopt;
    // Top-level positions of FROM, WHERE and the end of the WHERE clause.
    size_t from = 0, where = 0, end = w.size();
    int depth = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        if (isSymbolToken(sql, w[i], u'('))
            ++depth;
        else if (isSymbolToken(sql, w[i], u')'))
            --depth;
        if (depth != 0)
            continue;
        if (!from && isWordToken(sql, w[i], QLatin1String("from")))
            from = i;
        else if (from && !where && isWordToken(sql, w[i], QLatin1String("where")))
            where = i;
        else if (from && (isWordToken(sql, w[i], QLatin1String("order")) || isWordToken(sql, w[i], QLatin1String("group"))
                          || isWordToken(sql, w[i], QLatin1String("having")) || isWordToken(sql, w[i], QLatin1String("union"))
                          || isWordToken(sql, w[i], QLatin1String("into")) || isSymbolToken(sql, w[i], u';'))) {
            end = i;
            break;
        }
    }
    if (!from)
        return std::nullopt;
    const size_t listEnd = where ? where : end;
    std::vector<Item> items;
    bool anyOuter = false;
    for (size_t i = from + 1; i < listEnd;) {
        size_t j = i;
        while (j < listEnd && !isSymbolToken(sql, w[j], u','))
            ++j;
        const bool outer = isWordToken(sql, w[i], QLatin1String("outer"));
        const size_t first = outer ? i + 1 : i;
        if (first >= j || isSymbolToken(sql, w[first], u'('))
            return std::nullopt;   // nested outer groups are not handled
        items.push_back({w[first].begin, w[j - 1].end(), lowerWord(sql, w[j - 1]), outer});
        anyOuter = anyOuter || outer;
        i = j + 1;
    }
    if (!anyOuter)
        return std::nullopt;

    // The WHERE clause's terms, split at top-level AND (not the one of BETWEEN).
    std::vector<std::pair<size_t, size_t>> terms;
    if (where) {
        size_t termBegin = where + 1;
        int level = 0;
        bool between = false;
        for (size_t i = where + 1; i < end; ++i) {
            if (isSymbolToken(sql, w[i], u'('))
                ++level;
            else if (isSymbolToken(sql, w[i], u')'))
                --level;
            else if (level == 0 && isWordToken(sql, w[i], QLatin1String("between")))
                between = true;
            else if (level == 0 && isWordToken(sql, w[i], QLatin1String("or")))
                return std::nullopt;   // an OR at the top cannot be split safely
            else if (level == 0 && isWordToken(sql, w[i], QLatin1String("and"))) {
                if (between) {
                    between = false;
                    continue;
                }
                terms.push_back({termBegin, i});
                termBegin = i + 1;
            }
        }
        terms.push_back({termBegin, end});
    }

    const auto text = [&](size_t a, size_t b) { return sql.mid(w[a].begin, w[b - 1].end() - w[a].begin).toString(); };
    QStringList inner;
    QString joins;
    std::vector<bool> used(terms.size(), false);
    for (const Item &item : items)
        if (!item.outer)
            inner.append(sql.mid(item.begin, item.end - item.begin).toString());
    if (inner.isEmpty())
        return std::nullopt;
    for (const Item &item : items) {
        if (!item.outer)
            continue;
        QStringList on;
        for (size_t t = 0; t < terms.size(); ++t) {
            if (!used[t] && mentions(sql, w, terms[t].first, terms[t].second, item.name)) {
                // Moving a parameter marker would change the markers' order.
                for (size_t k = terms[t].first; k < terms[t].second; ++k)
                    if (isSymbolToken(sql, w[k], u'?'))
                        return std::nullopt;
                on.append(u'(' + text(terms[t].first, terms[t].second) + u')');
                used[t] = true;
            }
        }
        joins += u" left join "_s + sql.mid(item.begin, item.end - item.begin).toString() + u" on "_s
                 + (on.isEmpty() ? u"1 = 1"_s : on.join(u" and "_s));
    }
    QStringList rest;
    for (size_t t = 0; t < terms.size(); ++t)
        if (!used[t])
            rest.append(text(terms[t].first, terms[t].second));

    QString out = sql.left(w[from].end()).toString() + u' ' + inner.join(u", "_s) + joins;
    if (!rest.isEmpty())
        out += u" where "_s + rest.join(u" and "_s);
    out += u' ';
    out += end < w.size() ? sql.mid(w[end].begin).toString() : QString();
    return out;
}

} // namespace quoll::connection::embedded
