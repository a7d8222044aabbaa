#include "connection/embedded/sql/selectlist.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

QString expressionType(QStringView sql, const std::vector<SqlToken> &item)
{
    using Kind = SqlToken::Kind;
    if (item.empty())
        return u"varchar(255)"_s;
    const SqlToken &first = item.front();
    const QString word = first.kind == Kind::Word ? lowerWord(sql, first) : QString();
    if (item.size() == 1) {
        if (first.kind == Kind::Number)
            return tokenText(sql, first).contains(u'.') || tokenText(sql, first).contains(u'e', Qt::CaseInsensitive)
                       ? u"decimal(32)"_s : u"integer"_s;
        if (first.kind == Kind::String || first.kind == Kind::QuotedString)
            return u"char(%1)"_s.arg(std::max<qsizetype>(1, stringValue(sql, first).size()));
        if (word == u"today"_s)
            return u"date"_s;
        if (word == u"current"_s)
            return u"datetime year to fraction(3)"_s;
        if (word == u"user"_s)
            return u"char(32)"_s;
    }
    if (word == u"count"_s)
        return u"integer"_s;
    if (word == u"sum"_s || word == u"avg"_s)
        return u"decimal(32)"_s;
    bool arithmetic = false;
    for (size_t i = 0; i < item.size(); ++i) {
        const SqlToken &t = item[i];
        if (t.kind == Kind::String || t.kind == Kind::QuotedString)
            return u"varchar(255)"_s;
        if (t.kind == Kind::Symbol) {
            const QChar c = sql[t.begin];
            if (c == u'|')
                return u"varchar(255)"_s;
            arithmetic = arithmetic || c == u'+' || c == u'-' || c == u'*' || c == u'/';
        }
    }
    return arithmetic ? u"decimal(32)"_s : u"varchar(255)"_s;
}



std::vector<SelectItem> selectItems(QStringView sql, const std::vector<SqlToken> &words, size_t select)
{
    using Kind = SqlToken::Kind;
    std::vector<SelectItem> items;
    size_t i = select + 1;
    const auto isWord = [&](size_t at, QLatin1String w) {
        return at < words.size() && words[at].kind == Kind::Word && tokenText(sql, words[at]).compare(w, Qt::CaseInsensitive) == 0;
    };
    if (isWord(i, "distinct"_L1) || isWord(i, "unique"_L1) || isWord(i, "all"_L1))
        ++i;
    std::vector<SqlToken> current;
    int depth = 0;
    const auto finish = [&] {
        SelectItem item;
        item.tokens = current;
        const size_t n = item.tokens.size();
        if (n >= 2 && item.tokens[n - 1].kind == Kind::Word) {
            const SqlToken &before = item.tokens[n - 2];
            const bool afterOperator = before.kind == Kind::Symbol && sql[before.begin] != u')';
            if (!afterOperator) {
                item.name = lowerWord(sql, item.tokens.back());
                item.tokens.pop_back();
                if (!item.tokens.empty() && item.tokens.back().kind == Kind::Word
                    && lowerWord(sql, item.tokens.back()) == u"as"_s)
                    item.tokens.pop_back();
                item.named = true;
            }
        }
        bool plain = !item.tokens.empty();
        for (const SqlToken &t : item.tokens)
            plain = plain && (t.kind == Kind::Word || (t.kind == Kind::Symbol && sql[t.begin] == u'.'));
        item.plainColumn = plain && item.tokens.back().kind == Kind::Word;
        item.star = !item.tokens.empty() && item.tokens.back().kind == Kind::Symbol && sql[item.tokens.back().begin] == u'*'
                    && (item.tokens.size() == 1 || sql[item.tokens[item.tokens.size() - 2].begin] == u'.');
        if (!item.named && item.plainColumn)
            item.name = lowerWord(sql, item.tokens.back());
        item.named = item.named || item.plainColumn;
        items.push_back(std::move(item));
        current.clear();
    };
    for (; i < words.size(); ++i) {
        const SqlToken &t = words[i];
        if (t.kind == Kind::Symbol && sql[t.begin] == u'(')
            ++depth;
        else if (t.kind == Kind::Symbol && sql[t.begin] == u')')
            --depth;
        if (depth == 0 && (isWord(i, "from"_L1) || (t.kind == Kind::Symbol && sql[t.begin] == u',')))  {
            finish();
            if (isWord(i, "from"_L1))
                return items;
            continue;
        }
        current.push_back(t);
    }
    if (!current.empty())
        finish();
    return items;
}

} // namespace quoll::connection::embedded
