#include "connection/embedded/sql/statementtokens.h"

namespace quoll::connection::embedded {

StatementTokens::StatementTokens(QStringView sql) : StatementTokens(sql, tokenize(sql)) {}

StatementTokens::StatementTokens(QStringView sql, std::vector<SqlToken> all) : m_sql(sql), m_all(std::move(all))
{
    index();
}

void StatementTokens::index()
{
    m_words.reserve(m_all.size());
    m_allIndex.reserve(m_all.size());
    for (size_t i = 0; i < m_all.size(); ++i) {
        if (m_all[i].isBlank())
            continue;
        m_words.push_back(m_all[i]);
        m_allIndex.push_back(std::uint32_t(i));
    }
    m_count = m_words.size();
    while (m_count > 0 && isSymbol(m_count - 1, u';'))
        --m_count;
}

qsizetype StatementTokens::statementEnd() const
{
    if (m_count < m_words.size())
        return m_words[m_count].begin;
    return m_count == 0 ? 0 : m_words[m_count - 1].end();
}

QString StatementTokens::written(size_t first, size_t last) const
{
    if (first >= m_count || last < first)
        return {};
    return m_sql.mid(begin(first), end(last) - begin(first)).toString();
}

qsizetype StatementTokens::wordPosition(QStringView word) const
{
    for (size_t k = 0; k < m_count; ++k)
        if (isWord(k) && text(k).compare(word, Qt::CaseInsensitive) == 0)
            return m_words[k].begin;
    return -1;
}

size_t StatementTokens::closing(size_t open) const
{
    int depth = 0;
    for (size_t k = open; k < m_count; ++k) {
        if (isSymbol(k, u'('))
            ++depth;
        else if (isSymbol(k, u')') && --depth == 0)
            return k;
    }
    return m_count;
}

} // namespace quoll::connection::embedded
