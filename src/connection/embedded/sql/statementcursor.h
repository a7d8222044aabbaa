#pragma once

#include "connection/embedded/sql/statementtokens.h"

#include <QString>
#include <QStringList>
#include <QStringView>


namespace quoll::connection::embedded {

// A reading position in a statement's tokens, for the readers that take a
// statement apart from left to right (the catalog statements): keywords are
// matched case-insensitively, and a failure to find what the grammar needs
// raises a syntax error (-201) at the offending token (or at the end).
class StatementCursor
{
public:
    explicit StatementCursor(const StatementTokens &tokens) : m_tokens(tokens) {}

    const StatementTokens &tokens() const { return m_tokens; }
    QStringView sql() const { return m_tokens.sql(); }
    size_t index() const { return m_at; }
    void setIndex(size_t at) { m_at = at; }
    bool atEnd() const { return m_at >= m_tokens.size(); }
    // The token at the reading position; not at the end.
    const SqlToken &current() const { return m_tokens[m_at]; }

    // The keyword at `ahead` tokens from here.
    bool peek(const char *keyword, size_t ahead = 0) const;
    bool peekSymbol(QChar symbol, size_t ahead = 0) const;
    // Moves past the keyword or symbol when it is next.
    bool accept(const char *keyword);
    bool acceptSymbol(QChar symbol);
    // As accept, raising -201 when it is not next.
    void expect(const char *keyword);
    void expectSymbol(QChar symbol);
    // Raises -201 unless every word has been read.
    void expectEnd() const;

    // An object name: a word, or a quoted name, possibly owner-qualified
    // ("owner".name, owner.name); the last part, words in lower case.
    QString name();
    // Comma-separated names up to the first token that is not one.
    QStringList nameList();

    // The grantees of GRANT ... TO names [WITH GRANT OPTION] (`grant`) or
    // REVOKE ... FROM names, and where their list begins.
    struct Grantees
    {
        qsizetype at = 0;
        QStringList names;
        bool withGrantOption = false;
    };
    Grantees grantees(bool grant);

    // Where the next token begins in the statement (its end when none).
    qsizetype offset() const;
    // Where the last token read ends.
    qsizetype endOfPrevious() const;
    // Raises `code` at the next token (or the end).
    [[noreturn]] void failHere(int code, const QString &parameter = {}) const;

    // Skips a parenthesised group starting at the next token, which must be
    // "("; returns the index of its first inner token.
    size_t skipGroup();

private:
    const StatementTokens &m_tokens;
    size_t m_at = 0;
};

// The statement as written, from its first word to the end of its last
// (trailing semicolons and blanks left out).
QString writtenText(const StatementTokens &tokens);

} // namespace quoll::connection::embedded
