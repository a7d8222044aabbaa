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

std::vector<SelectItem> selectItems(const StatementTokens &statement, size_t select, size_t end)
{
    using Kind = SqlToken::Kind;
    const QStringView sql = statement.sql();
    std::vector<SelectItem> items;
    size_t i = select + 1;
    if (statement.isWord(i, "distinct") || statement.isWord(i, "unique") || statement.isWord(i, "all"))
        ++i;
    std::vector<SqlToken> current;
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
                if (!item.tokens.empty() && isKeyword(sql, item.tokens.back(), "as"_L1))
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
    int depth = 0;
    for (end = std::min(end, statement.size()); i < end; ++i) {
        if (statement.isSymbol(i, u'('))
            ++depth;
        else if (statement.isSymbol(i, u')'))
            --depth;
        if (depth == 0 && (statement.isWord(i, "from") || statement.isSymbol(i, u','))) {
            finish();
            if (statement.isWord(i, "from"))
                return items;
            continue;
        }
        current.push_back(statement[i]);
    }
    if (!current.empty())
        finish();
    return items;
}

} // namespace quoll::connection::embedded
