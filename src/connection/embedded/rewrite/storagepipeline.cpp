#include "connection/embedded/rewrite/storagepipeline.h"

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
                     const StatementTokens *statement)
{
    StorageSql s;
    // Each pass reads the whole statement; one that cannot apply (no owner
    // without a "." or ":", no OUTER without the word) is skipped.
    if (sql.contains(u'.') || sql.contains(u':'))
        s.unowned = statement ? dropOwnerNames(*statement, database) : dropOwnerNames(sql, database);
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
        throw StatementError(e.nativeCode(), unownedIndex(e.at()));
    }
    try {
        if (statement && !s.unowned && !s.joined)
            s.rewritten = rewriteForSqlite(*statement, schema);
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
