#pragma once

#include "connection/embedded/sql/sqllexer.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace quoll::connection::embedded {

// The one reading of a statement that every reader of the server works
// from: all its tokens, and its significant ones (blanks, comments and the
// statement's trailing semicolons left out) by index, with the questions
// the readers ask of them. An index past the last token is answered as
// "nothing there", so a reader may look ahead without counting. The text
// is kept by reference and must outlive this.
class StatementTokens
{
public:
    explicit StatementTokens(QStringView sql);
    StatementTokens(QStringView sql, std::vector<SqlToken> all);

    QStringView sql() const { return m_sql; }
    // Every token, blanks included, covering the whole text.
    const std::vector<SqlToken> &all() const { return m_all; }

    // The significant tokens.
    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    const SqlToken &operator[](size_t k) const { return m_words[k]; }
    const SqlToken &back() const { return m_words[m_count - 1]; }
    // Where the k-th significant token stands in all().
    size_t allIndex(size_t k) const { return m_allIndex[k]; }
    // Where the statement proper ends: at its first trailing semicolon, or
    // at the end of its last token.
    qsizetype statementEnd() const;

    bool isWord(size_t k) const { return k < m_count && m_words[k].kind == SqlToken::Kind::Word; }
    // The keyword in any case.
    bool isWord(size_t k, QLatin1StringView keyword) const
    {
        return k < m_count && isKeyword(m_sql, m_words[k], keyword);
    }
    template <size_t N>
    bool isWord(size_t k, const char (&keyword)[N]) const
    {
        return isWord(k, QLatin1StringView(keyword, N - 1));
    }
    bool isSymbol(size_t k, QChar symbol) const
    {
        return k < m_count && m_words[k].kind == SqlToken::Kind::Symbol && m_sql[m_words[k].begin] == symbol;
    }
    // A '...' or "..." string (the latter also a quoted name in some places).
    bool isString(size_t k) const
    {
        return k < m_count
               && (m_words[k].kind == SqlToken::Kind::String || m_words[k].kind == SqlToken::Kind::QuotedString);
    }
    bool isNumber(size_t k) const { return k < m_count && m_words[k].kind == SqlToken::Kind::Number; }

    QStringView text(size_t k) const { return tokenText(m_sql, m_words[k]); }
    QString lower(size_t k) const { return lowerWord(m_sql, m_words[k]); }
    // A string token's value, its doubled quotes undone.
    QString value(size_t k) const { return stringValue(m_sql, m_words[k]); }

    // Where the k-th token begins and ends; the end of the text past the
    // last token.
    qsizetype begin(size_t k) const { return k < m_count ? m_words[k].begin : m_sql.size(); }
    qsizetype end(size_t k) const { return k < m_count ? m_words[k].end() : m_sql.size(); }
    // The text from the first token to the end of the last, as written.
    QString written(size_t first, size_t last) const;

    // Where the first word spelled `word` (in any case) begins; -1 when
    // there is none.
    qsizetype wordPosition(QStringView word) const;

    // The index of the ")" that closes the "(" at `open`; size() when the
    // statement ends first.
    size_t closing(size_t open) const;

private:
    void index();

    QStringView m_sql;
    std::vector<SqlToken> m_all;
    std::vector<SqlToken> m_words;
    std::vector<std::uint32_t> m_allIndex;
    size_t m_count = 0;
};

} // namespace quoll::connection::embedded
