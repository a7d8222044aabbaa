#include "connection/embedded/sql/statementcursor.h"

#include "connection/embedded/server/informixerrors.h"

namespace quoll::connection::embedded {

bool StatementCursor::peek(const char *keyword, size_t ahead) const
{
    return m_tokens.isWord(m_at + ahead, QLatin1StringView(keyword));
}

bool StatementCursor::peekSymbol(QChar symbol, size_t ahead) const
{
    return m_tokens.isSymbol(m_at + ahead, symbol);
}

bool StatementCursor::accept(const char *keyword)
{
    if (!peek(keyword))
        return false;
    ++m_at;
    return true;
}

bool StatementCursor::acceptSymbol(QChar symbol)
{
    if (!peekSymbol(symbol))
        return false;
    ++m_at;
    return true;
}

void StatementCursor::expect(const char *keyword)
{
    if (!accept(keyword))
        failHere(InformixCode::SyntaxError);
}

void StatementCursor::expectSymbol(QChar symbol)
{
    if (!acceptSymbol(symbol))
        failHere(InformixCode::SyntaxError);
}

void StatementCursor::expectEnd() const
{
    if (!atEnd())
        failHere(InformixCode::SyntaxError);
}

QString StatementCursor::name()
{
    QString result;
    for (;;) {
        if (atEnd())
            failHere(InformixCode::SyntaxError);
        if (m_tokens.isWord(m_at))
            result = m_tokens.lower(m_at);
        else if (m_tokens.isString(m_at))
            result = m_tokens.value(m_at);
        else
            failHere(InformixCode::SyntaxError);
        ++m_at;
        if (!acceptSymbol(u'.'))
            return result;
    }
}

QStringList StatementCursor::nameList()
{
    QStringList names{name()};
    while (acceptSymbol(u','))
        names.append(name());
    return names;
}

qsizetype StatementCursor::offset() const
{
    return atEnd() ? (m_tokens.empty() ? 0 : m_tokens.back().end()) : m_tokens[m_at].begin;
}

qsizetype StatementCursor::endOfPrevious() const
{
    return m_at == 0 ? 0 : m_tokens[m_at - 1].end();
}

void StatementCursor::failHere(int code, const QString &parameter) const
{
    throw StatementError(code, offset(), parameter);
}

size_t StatementCursor::skipGroup()
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

QString writtenText(const StatementTokens &tokens)
{
    return tokens.empty() ? QString() : tokens.written(0, tokens.size() - 1);
}

StatementCursor::Grantees StatementCursor::grantees(bool grant)
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
