#include "connection/embedded/sql/wordcursor.h"

#include "connection/embedded/server/informixerrors.h"

namespace quoll::connection::embedded {

bool WordCursor::peek(const char *keyword, size_t ahead) const
{
    return isWordAt(m_at + ahead, keyword);
}

bool WordCursor::isWordAt(size_t index, const char *keyword) const
{
    return index < m_words.size() && isKeyword(m_sql, m_words[index], QLatin1StringView(keyword));
}

bool WordCursor::peekSymbol(QChar symbol, size_t ahead) const
{
    const size_t i = m_at + ahead;
    return i < m_words.size() && m_words[i].kind == SqlToken::Kind::Symbol && m_sql[m_words[i].begin] == symbol;
}

bool WordCursor::accept(const char *keyword)
{
    if (!peek(keyword))
        return false;
    ++m_at;
    return true;
}

bool WordCursor::acceptSymbol(QChar symbol)
{
    if (!peekSymbol(symbol))
        return false;
    ++m_at;
    return true;
}

void WordCursor::expect(const char *keyword)
{
    if (!accept(keyword))
        failHere(InformixCode::SyntaxError);
}

void WordCursor::expectSymbol(QChar symbol)
{
    if (!acceptSymbol(symbol))
        failHere(InformixCode::SyntaxError);
}

void WordCursor::expectEnd() const
{
    if (!atEnd())
        failHere(InformixCode::SyntaxError);
}

QString WordCursor::name()
{
    QString result;
    for (;;) {
        if (atEnd())
            failHere(InformixCode::SyntaxError);
        const SqlToken &t = m_words[m_at];
        if (t.kind == SqlToken::Kind::Word)
            result = tokenText(m_sql, t).toString().toLower();
        else if (t.kind == SqlToken::Kind::QuotedString || t.kind == SqlToken::Kind::String)
            result = stringValue(m_sql, t);
        else
            failHere(InformixCode::SyntaxError);
        ++m_at;
        if (!acceptSymbol(u'.'))
            return result;
    }
}

QStringList WordCursor::nameList()
{
    QStringList names{name()};
    while (acceptSymbol(u','))
        names.append(name());
    return names;
}

qsizetype WordCursor::offset() const
{
    return atEnd() ? (m_words.empty() ? 0 : m_words.back().end()) : m_words[m_at].begin;
}

qsizetype WordCursor::endOfPrevious() const
{
    return m_at == 0 ? 0 : m_words[m_at - 1].end();
}

void WordCursor::failHere(int code, const QString &parameter) const
{
    throw StatementError(code, offset(), parameter);
}

size_t WordCursor::skipGroup()
{
    expectSymbol(u'(');
    const size_t inner = m_at;
    int depth = 1;
    while (!atEnd()) {
        if (peekSymbol(u'('))
            ++depth;
        else if (peekSymbol(u')') && --depth == 0) {
            ++m_at;
            return inner;
        }
        ++m_at;
    }
    failHere(InformixCode::SyntaxError);
}

QString writtenText(QStringView sql, const std::vector<SqlToken> &words)
{
    if (words.empty())
        return {};
    return sql.mid(words.front().begin, words.back().end() - words.front().begin).toString();
}

WordCursor::Grantees WordCursor::grantees(bool grant)
{
    expect(grant ? "to" : "from");
    Grantees result;
    result.at = offset();
    result.names = nameList();
    if (grant && accept("with")) {
        expect("grant");
        expect("option");
        result.withGrantOption = true;
    }
    return result;
}

} // namespace quoll::connection::embedded
