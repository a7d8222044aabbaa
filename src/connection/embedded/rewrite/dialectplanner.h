#pragma once

#include "connection/embedded/rewrite/dialectedits.h"
#include "connection/embedded/sql/fromlist.h"
#include "connection/embedded/sql/statementtokens.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace quoll::connection::embedded {

// Finds the edits of one statement, reading its tokens. Its forms live by
// subject: the statement's tables and operands (dialectedits.cpp), dates
// (dialectdates.cpp), the Informix functions (dialectfunctions.cpp),
// DATETIME and INTERVAL (dialecttime.cpp).
class DialectPlanner
{
public:
    DialectPlanner(const StatementTokens &statement, const SchemaLookup &schema, const QStringList &tablesInScope,
                   DialectEdits &edits);
    void plan();

private:
    void span(size_t first, size_t last, const QString &text) { m_edits.spans[first] = {last, text}; }
    QString quoted(QString text) const { return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\''; }

    // The columns of a table the statement names, null when it names none so.
    const std::vector<StoredColumn> *tableColumns(const QString &name) const;

    // The word at `k` in lower case, in a buffer that every word looked up
    // reuses: most words name no table and are not kept.
    const QString &lowerKey(size_t k);

    // The tables the statement names: words that are stored tables.
    void findTables();

    // The declared type of the column reference ending at `k`: of the table
    // its qualifier names, or the one every table of the statement gives it;
    // empty when not known.
    QString typeAt(size_t k) const;

    // The column reference ending at `k` ("name" or "t.name") names a DATE column.
    bool dateColumnAt(size_t k) const { return typeAt(k) == QLatin1StringView("DATE"); }

    // The column reference starting at `k` names a DATE column.
    bool dateColumnFrom(size_t k) const;

    // A string where a DATE is wanted becomes its day number; a parameter
    // or another expression [first, last] passes the server's conversion.
    void asDate(size_t first, size_t last);

    // Comparison operators made of one or two symbols, ending just before `k`
    // (returns their first index) or starting at `k` (returns one past them).
    std::optional<size_t> operatorBefore(size_t k) const;
    std::optional<size_t> operatorAfter(size_t k) const;

    // A string or parameter compared with a DATE column: "placed = '12/31/2024'",
    // "'01/01/2024' < placed", "placed between ? and '...'", "placed in (...)".
    void comparedWithDate(size_t k);

    // The qualifier of the DATETIME operand [a, e] ("year to minute").
    QString dateTimeQualifier(size_t a, size_t e) const;

    // A DATE compared with a DATETIME is extended to the DATETIME's fields,
    // as its text then compares as the DATETIME's does.
    void dateComparedWithDateTime(size_t k);

    // A DATE column before MATCHES or LIKE is matched in its text form.
    void matchedDate(size_t k);

    // The top-level pieces of [first, end) split at commas.
    std::vector<std::pair<size_t, size_t>> commaList(size_t first, size_t end) const;

    // INSERT INTO t [(columns)] VALUES (values): values for DATE columns.
    void insertValues();

    // UPDATE t SET column = value, ...: values for DATE columns.
    void updateSet();

    // SELECT ... INTO TEMP name [WITH NO LOG] at the statement's top level.
    void intoTemp();

    // Whether the operand [a, b) is a DATE value.
    bool dateOperand(size_t a, size_t b) const;

    // Whether the results are DATE expressions or NULL, one at least a DATE.
    bool allDates(const std::vector<std::pair<size_t, size_t>> &results) const;

    // Whether the results of CASE ... END in [a, b) are all DATEs.
    bool caseOfDates(size_t a, size_t b) const;

    // Whether [a, b) is date ± number: one date operand first and only + and - between.
    bool dateExpression(size_t a, size_t b) const;

    // Which items of the projection list are DATE expressions.
    void projectionDates();

    // name[a,b] and name[a]: the characters a to b of a column.
    // Anything else in brackets is refused: the storage engine would read
    // "[...]" as a quoted name.
    void subscript(size_t k);

    // TRIM([[LEADING | TRAILING | BOTH] [pad] FROM] s).
    void trimForm(size_t k);

    // SUBSTRING(s FROM a [FOR b]).
    void substringForm(size_t k);

    // The end of a "first TO last" qualifier starting at `k`: one past it,
    // or k when none stands there.
    size_t qualifier(size_t k) const;

    // DATETIME (2024-01-31 10:00) YEAR TO MINUTE and INTERVAL (...) q: their texts.
    void timeLiteral(size_t k);

    // The matching "(" of the ")" at `close`, or npos.
    size_t opening(size_t close) const;

    // The first field of a "first TO last" qualifier ending at `e`, or npos.
    size_t qualifierBackward(size_t e) const;

    // The declared type that every table of the statement having `column`
    // gives it; empty when they differ or none has it.
    QString columnType(const QString &column) const;
    bool dateTimeColumnAt(size_t k) const { return typeAt(k).startsWith(QLatin1StringView("DATETIME")); }

    // The start of a DATETIME operand ending at `e` (a DATETIME column,
    // CURRENT, a DATETIME literal, EXTEND(...)), or npos.
    // With `withDates`, DATE columns and TODAY too.
    size_t dateTimeBackward(size_t e, bool withDates) const;

    // One past a DATETIME operand starting at `b`, or npos.
    size_t dateTimeForward(size_t b) const;

    // DATETIME ± INTERVAL literal and DATETIME - DATETIME: the server's
    // functions, since the texts themselves do not add up.
    void dateTimeArithmetic(size_t m);

    // EXTEND(value, first TO last): the server's function with the qualifier as text.
    void extendForm(size_t k);

    // One past the operand starting at `b` (a number, a name, a call or a
    // parenthesised expression), or npos.
    size_t primaryForward(size_t b) const;

    // The start of the operand ending at `e`, or npos.
    size_t primaryBackward(size_t e) const;

    // The start of a DATETIME ± INTERVAL sum made already that ends at `e`,
    // or npos: a further INTERVAL adds to the whole sum.
    size_t timeSumBackward(size_t e) const;

    // sequence.NEXTVAL and sequence.CURRVAL: the server's functions.
    void sequenceValue(size_t k);

    // TO_CHAR of a DATE: the server's DATE form of it, since a DATE is a
    // day number the function could not tell from a number.
    void dateToChar(size_t k);

    const StatementTokens &m_s;
    QStringView m_sql;
    const SchemaLookup &m_schema;
    const QStringList &m_tablesInScope;
    DialectEdits &m_edits;

    // The stored tables the statement names, in the order they appear: a
    // statement names few, so a list beats hashing each word.
    std::vector<std::pair<QString, const std::vector<StoredColumn> *>> m_tables;
    QHash<QString, QString> m_aliases;   // alias -> table
    QString m_key;                        // see lowerKey()
    // DATETIME ± INTERVAL sums already made into the server's function: the
    // last token of each -> its first, so that "d + 1 UNITS DAY + 2 UNITS
    // HOUR" adds to the sum before it.
    std::map<size_t, size_t> m_timeSums;
};

} // namespace quoll::connection::embedded
