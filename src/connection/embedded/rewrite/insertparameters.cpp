#include "connection/embedded/rewrite/insertparameters.h"

#include "connection/embedded/sql/statementtokens.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

bool isWordLike(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'.' || c == u'\'' || c == u'"';
}

// Whether the token stands apart from its neighbours: a constant that
// touches a word, a point or a quote is read with it by the storage engine
// ("x'00'", "1.5", "1e5" read in pieces).
bool standsAlone(QStringView sql, const SqlToken &t)
{
    return (t.begin == 0 || !isWordLike(sql[t.begin - 1])) && (t.end() >= sql.size() || !isWordLike(sql[t.end()]));
}

std::optional<qint64> wholeNumber(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 18
        || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return digits.toLongLong();
}

} // namespace

std::optional<ParameterizedInsert> parameterizeInsert(QStringView sql)
{
    const StatementTokens statement(sql);
    // INSERT INTO name [(columns)] VALUES (...): not INSERT OR ..., not
    // INSERT ... SELECT, whose constants can reach a plan.
    if (!statement.isWord(0, "insert") || !statement.isWord(1, "into"))
        return std::nullopt;
    qsizetype valuesAt = -1;
    for (size_t k = 2; k < statement.size(); ++k) {
        if (statement.isWord(k, "select"))
            return std::nullopt;
        if (valuesAt < 0 && statement.isWord(k, "values"))
            valuesAt = statement[k].begin;
    }
    if (valuesAt < 0)
        return std::nullopt;

    ParameterizedInsert out;
    QString text;
    text.reserve(sql.size());
    qsizetype copied = 0;
    // Every token: an unterminated comment or string is left as written.
    for (const SqlToken &t : statement.all()) {
        if (t.kind == SqlToken::Kind::QuotedString || !t.terminated)
            return std::nullopt;
        if (t.kind == SqlToken::Kind::Symbol) {
            const QChar c = sql[t.begin];
            if (c == u'?' || c == u':' || c == u'@' || c == u'$')
                return std::nullopt;   // the statement's own parameters
            continue;
        }
        if (t.begin < valuesAt)
            continue;   // before the values a string may stand for a name
        ParameterizedInsert::Value value;
        if (t.kind == SqlToken::Kind::Number) {
            const std::optional<qint64> n = wholeNumber(tokenText(sql, t));
            if (!n)
                continue;
            value.integer = *n;
        } else if (t.kind == SqlToken::Kind::String) {
            const QString s = stringValue(sql, t);
            if (s.contains(QChar(0)))
                return std::nullopt;
            value.isText = true;
            value.textBegin = out.texts.size();
            out.texts += s.toUtf8();
            value.textLength = out.texts.size() - value.textBegin;
        } else {
            continue;
        }
        // A constant joined to its neighbours stays written out.
        if (!standsAlone(sql, t)) {
            if (value.isText)
                out.texts.truncate(value.textBegin);
            continue;
        }
        text += sql.mid(copied, t.begin - copied);
        text += u'?';
        copied = t.end();
        out.values.push_back(value);
    }
    if (out.values.empty())
        return std::nullopt;
    text += sql.mid(copied);
    out.sql = text.toUtf8();
    return out;
}

} // namespace quoll::connection::embedded
