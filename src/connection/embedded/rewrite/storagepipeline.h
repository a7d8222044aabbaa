#pragma once

#include "connection/embedded/rewrite/sqlrewriter.h"
#include "connection/embedded/runtime/schemalookup.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace quoll::connection::embedded {

class StatementTokens;

// The only road from Informix text to the storage engine's text: owner
// names taken off, OUTER joins restructured, then the rest of the dialect
// rewritten, each pass with the schema at hand, and the way back from a
// position in the storage text to the user's text. The passes themselves
// (ownernames, outerjoin, sqlrewriter) are called from here alone.
struct StorageSql
{
    std::optional<RewrittenSql> unowned;
    std::optional<RewrittenSql> joined;
    RewrittenSql rewritten;

    const QString &text() const { return rewritten.text(); }
    // The index in the user's text of the character at `index` of text().
    qsizetype userIndex(qsizetype index) const;
};

// A whole statement, in `database`; `statement`: the reading of `sql` when
// the caller has it; `synonyms`: the synonyms of the database, for the
// table a statement writes to. Raises StatementError with an index in the
// user's text.
StorageSql toStorage(QStringView sql, const SchemaLookup &schema, const QString &database,
                     const StatementTokens *statement = nullptr, const SynonymLookup &synonyms = {});

// A condition that belongs to `table` (a check constraint): its names are
// that table's columns, as in a statement on the table.
RewrittenSql conditionToStorage(QStringView condition, const QString &table, const SchemaLookup &schema);

// The SELECT of a view with its OUTER joins restructured; nothing when it
// has none (the rest of the dialect follows when the CREATE VIEW runs).
std::optional<RewrittenSql> viewSelectToStorage(QStringView select, const SchemaLookup &schema);

} // namespace quoll::connection::embedded
