#include "connection/embedded/rewrite/storagepipeline.h"

#include "connection/embedded/rewrite/outerjoin.h"
#include "connection/embedded/rewrite/ownernames.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/sqllexer.h"

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
                     const std::vector<SqlToken> *tokens)
{
    StorageSql s;
    // Each pass reads the whole statement; one that cannot apply (no owner
    // without a "." or ":", no OUTER without the word) is skipped.
    if (sql.contains(u'.') || sql.contains(u':'))
        s.unowned = dropOwnerNames(sql, database);
    const QStringView base = s.unowned ? QStringView(s.unowned->text()) : sql;
    const auto unownedIndex = [&](qsizetype index) { return s.unowned ? s.unowned->originalIndex(index) : index; };
    // With the statement's tokens at hand, only the word OUTER counts; a
    // search of the text would also stop at strings and longer words.
    const auto namesOuter = [&] {
        if (!tokens || s.unowned)
            return base.contains(u"outer"_s, Qt::CaseInsensitive);
        return std::any_of(tokens->begin(), tokens->end(),
                           [&](const SqlToken &t) { return isKeyword(sql, t, "outer"_L1); });
    };
    try {
        if (namesOuter())
            s.joined = rewriteOuterJoins(base, schema);
    } catch (const StatementError &e) {
        throw StatementError(e.nativeCode(), unownedIndex(e.at()));
    }
    try {
        if (tokens && !s.unowned && !s.joined)
            s.rewritten = rewriteForSqlite(sql, *tokens, schema);
        else
            s.rewritten = rewriteForSqlite(s.joined ? QStringView(s.joined->text()) : base, schema);
    } catch (const StatementError &e) {
        throw StatementError(e.nativeCode(), unownedIndex(s.joined ? s.joined->originalIndex(e.at()) : e.at()));
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
