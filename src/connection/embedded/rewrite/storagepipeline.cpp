#include "connection/embedded/rewrite/storagepipeline.h"

#include "connection/embedded/rewrite/parentheses.h"

#include "connection/embedded/rewrite/outerjoin.h"
#include "connection/embedded/rewrite/ownernames.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementtokens.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

qsizetype StorageSql::userIndex(qsizetype index) const
{
    const qsizetype inJoined = rewritten.originalIndex(index);
    const qsizetype inUnowned = joined ? joined->originalIndex(inJoined) : inJoined;
    return unowned ? unowned->originalIndex(inUnowned) : inUnowned;
}

StorageSql toStorage(QStringView sql, const SchemaLookup &schema, const QString &database,
                     const StatementTokens *statement, const SynonymLookup &synonyms)
{
    // Deep nesting first: blanking parentheses keeps every position, so the
    // passes below map back to the user's text as they are.
    if (sql.count(u'(') >= DeepNesting) {
        std::optional<StatementTokens> own;
        if (!statement)
            own.emplace(sql);
        if (const std::optional<QString> flat = flattenDeepParentheses(statement ? *statement : *own))
            return toStorage(*flat, schema, database, nullptr, synonyms);
    }
    StorageSql s;
    // Each pass reads the whole statement; one that cannot apply (no owner
    // without a "." or ":", no OUTER without the word) is skipped.
    if (synonyms || sql.contains(u'.') || sql.contains(u':')) {
        std::optional<StatementTokens> own;
        if (!statement)
            own.emplace(sql);
        s.unowned = dropOwnerNames(statement ? *statement : *own, database, synonyms);
    }
    const QStringView base = s.unowned ? QStringView(s.unowned->text()) : sql;
    const auto unownedIndex = [&](qsizetype index) { return s.unowned ? s.unowned->originalIndex(index) : index; };
    // With the statement's tokens at hand, only the word OUTER counts; a
    // search of the text would also stop at strings and longer words.
    const auto namesOuter = [&] {
        if (!statement || s.unowned)
            return base.contains(u"outer"_s, Qt::CaseInsensitive);
        for (size_t k = 0; k < statement->size(); ++k)
            if (statement->isWord(k, "outer"))
                return true;
        return false;
    };
    try {
        if (namesOuter())
            s.joined = rewriteOuterJoins(base, schema);
    } catch (const StatementError &e) {
        throw StatementError(e, unownedIndex(e.at()));
    }
    try {
        if (statement && !s.unowned && !s.joined)
            s.rewritten = rewriteForSqlite(*statement, schema);
        else
            s.rewritten = rewriteForSqlite(s.joined ? QStringView(s.joined->text()) : base, schema);
    } catch (const StatementError &e) {
        throw StatementError(e, unownedIndex(s.joined ? s.joined->originalIndex(e.at()) : e.at()));
    }
    return s;
}

RewrittenSql conditionToStorage(QStringView condition, const QString &table, const SchemaLookup &schema)
{
    return rewriteCondition(condition, table, schema);
}

std::optional<RewrittenSql> viewSelectToStorage(QStringView select, const SchemaLookup &schema)
{
    return rewriteOuterJoins(select, schema);
}

} // namespace quoll::connection::embedded
