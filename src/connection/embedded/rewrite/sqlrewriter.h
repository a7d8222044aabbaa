#pragma once

#include "connection/embedded/runtime/schemalookup.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace quoll::connection::embedded {

class StatementTokens;

// A statement rewritten for the storage engine, with the way back from a
// position in the rewritten text to the user's text (so that an error offset
// points at what the user typed).
class RewrittenSql
{
public:
    const QString &text() const { return m_text; }
    // The index in the original statement of the character at `index` of
    // the rewritten text (a replaced piece maps to the start of what it
    // replaced).
    qsizetype originalIndex(qsizetype index) const;
    // For a SELECT: which result columns are DATE expressions.
    const DateColumns &dateColumns() const { return m_dateColumns; }
    // The table of a SELECT ... INTO TEMP, whose clause the text no longer
    // has; empty for any other statement.
    const QString &intoTemp() const { return m_intoTemp; }

private:
    friend class SqlRewriter;
    friend RewrittenSql rewriteStatement(const StatementTokens &statement, const SchemaLookup &schema,
                                         const QStringList &tablesInScope);
    struct Segment
    {
        qsizetype outBegin;
        qsizetype originalBegin;
        qsizetype length;     // characters copied unchanged; 0 for a replacement
    };
    QString m_text;
    std::vector<Segment> m_segments;
    DateColumns m_dateColumns;
    QString m_intoTemp;
};

// Builds a RewrittenSql from pieces copied from the original and pieces
// that replace parts of it.
class SqlRewriter
{
public:
    explicit SqlRewriter(QStringView original) : m_original(original) {}

    void copy(qsizetype begin, qsizetype length);
    void replace(qsizetype originalBegin, QStringView text);
    // A rewritten part of the original that starts at `offset`.
    void append(const RewrittenSql &part, qsizetype offset);
    RewrittenSql finish() { return std::move(m_result); }
    RewrittenSql &result() { return m_result; }

private:
    QStringView m_original;
    RewrittenSql m_result;
};

// The Informix statement rewritten for SQLite: double-quoted strings become
// string literals, brace comments become blanks, MATCHES becomes the
// storage engine's MATCH operator (served by the server's function), the
// constant words USER, TODAY, CURRENT become calls of the server's
// functions, DATETIME and INTERVAL literals become their texts, the
// Informix forms of TRIM, SUBSTRING and column subscripts (name[1,3])
// become the storage engine's functions, and INTO TEMP is taken off.
// Where a DATE is expected (a value for a DATE column of `schema`, a string
// compared with one) a date string becomes its day number, and anything else
// passes the server's conversion. Raises StatementError -1218 for a string
// that is not a date there and -1262 for a malformed DATETIME literal.
RewrittenSql rewriteForSqlite(QStringView sql, const SchemaLookup &schema = {});
// The same with the statement's tokens, when the caller has them already.
RewrittenSql rewriteForSqlite(const StatementTokens &statement, const SchemaLookup &schema);
// A condition that belongs to `table` (a check constraint, a trigger's WHEN)
// rewritten as the same words in a statement on that table would be: its
// column names are the table's columns, so a date string compared with a
// DATE column becomes a day number.
RewrittenSql rewriteCondition(QStringView condition, const QString &table, const SchemaLookup &schema);

} // namespace quoll::connection::embedded
