#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include "connection/embedded/rewrite/sqlrewriter.h"
#include "connection/embedded/sql/statementtokens.h"

#include <optional>
#include <vector>

namespace quoll::connection::embedded {

// A piece of a statement's text to put in place of [begin, end) of the
// user's text when it goes to the storage engine (begin == end inserts).
struct TextEdit
{
    qsizetype begin;
    qsizetype end;
    QString text;
};

// The statement with `edits` (which must not overlap) applied, keeping the
// way back to positions in the user's text.
RewrittenSql applyEdits(QStringView sql, std::vector<TextEdit> edits);

// A name as written, with where it stands in the statement.
struct NamedAt
{
    QString name;       // in lower case
    qsizetype at = 0;
};

// A constraint of CREATE TABLE (column or table level) or of ALTER TABLE
// ADD CONSTRAINT, in the order written.
struct ConstraintDefinition
{
    enum class Kind : char { PrimaryKey = 'P', Unique = 'U', References = 'R', Check = 'C', NotNull = 'N' };
    Kind kind = Kind::Check;
    QString name;                 // as given; empty when the server names it
    qsizetype at = 0;             // where the constraint's first word stands
    std::vector<NamedAt> columns; // the key, or the column of a NOT NULL
    NamedAt referencedTable;      // REFERENCES: the parent table
    std::vector<NamedAt> referencedColumns;   // empty: the parent's primary key
    bool cascadeDelete = false;
    qsizetype checkAt = -1;       // CHECK: where the word CHECK stands
    QString condition;            // CHECK: the condition as written, in its parentheses
    // Given by the planner: the constraint's number and, for a reference,
    // the parent's key constraint, table and key columns.
    qint64 constrid = 0;
    qint64 referencedConstrid = 0;
    qint64 referencedTabid = 0;
    QStringList referencedKey;
};

// One column of a CREATE TABLE as the catalog needs it.
struct ColumnDefinition
{
    QString name;
    QString type;        // the type as written, e.g. "decimal(8,2)"
    qsizetype typeEnd = 0;       // where the type ends in the statement
    bool declaredNotNull = false;   // NOT NULL written on the column
    bool notNull = false;
    bool primaryKey = false;
    bool unique = false;
    // The DEFAULT clause as the catalog keeps it: 'L' literal (with its
    // text), 'C' CURRENT, 'N' NULL, 'S' DBSERVERNAME, 'T' TODAY, 'U' USER;
    // 0 for none.
    char16_t defaultType = 0;
    QString defaultValue;
};

struct CreateTable
{
    QString name;
    std::vector<ColumnDefinition> columns;
    QStringList primaryKey;            // from a table-level PRIMARY KEY (...)
    bool temporary = false;
    std::vector<ConstraintDefinition> constraints;
    // What the storage engine needs changed: constraint names moved or
    // dropped, DISTINCT as UNIQUE, references removed (the server keeps
    // them itself).
    std::vector<TextEdit> storageEdits;
    qint64 tabid = 0;                  // given by the planner
    // The storage options after the column list (removed from the storage
    // engine's text): LOCK MODE, EXTENT SIZE, NEXT SIZE; IN <dbspace> and
    // WITH NO LOG are accepted.
    char16_t lockLevel = u'P';         // P page, R row, T table
    int extentSize = 16;
    int nextSize = 16;
    // FRAGMENT BY (or PARTITION BY): one entry per fragment, as
    // `sysfragments` keeps them. Every other storage clause (IN, PUT, WITH
    // CRCOLS, COMPRESSED, ...) is accepted and has no effect here.
    struct Fragment
    {
        char16_t strategy = u'R';   // R round robin, E expression, L list, N range/interval
        QString partition;          // the partition's name; the dbspace's when none is given
        QString expression;         // as written; "remainder" for the remainder
        QString dbspace;
    };
    std::vector<Fragment> fragments;
};

// The readers below take the statement's tokens with its trailing
// semicolons left out.

// Reads the table name and column definitions of a CREATE [TEMP] TABLE
// statement; nothing when `sql` is not one or its column list cannot be
// read (the storage engine then reports the syntax error).
std::optional<CreateTable> parseCreateTable(const StatementTokens &statement);

// The table a DROP TABLE statement names, if `sql` is one.
std::optional<QString> parseDropTable(const StatementTokens &statement);

// CREATE [UNIQUE|DISTINCT] [CLUSTER] INDEX name ON table (column [ASC|DESC], ...),
// with anything after the column list (USING, IN, FILLFACTOR) ignored.
struct CreateIndex
{
    NamedAt name;
    NamedAt table;
    bool unique = false;
    bool cluster = false;
    std::vector<NamedAt> columns;
    std::vector<bool> descending;
    qsizetype listBegin = 0;   // the opening parenthesis of the column list
    qsizetype listEnd = 0;     // just past its closing parenthesis
};

// Reads a CREATE INDEX statement; nothing when `sql` is not one. Raises
// StatementError for one that cannot be read.
std::optional<CreateIndex> parseCreateIndex(const StatementTokens &statement);

// The index a DROP INDEX statement names, if `sql` is one.
std::optional<NamedAt> parseDropIndex(const StatementTokens &statement);

// ALTER TABLE name ADD CONSTRAINT constraint | ADD CONSTRAINT (constraint, ...)
// and ALTER TABLE name DROP CONSTRAINT name | DROP CONSTRAINT (name, ...);
// nothing for any other statement (other ALTER TABLE forms included).
struct AlterConstraints
{
    NamedAt table;
    std::vector<ConstraintDefinition> added;
    std::vector<NamedAt> dropped;
};
std::optional<AlterConstraints> parseAlterConstraints(const StatementTokens &statement);

// UPDATE STATISTICS [LOW|MEDIUM|HIGH] [FOR TABLE [name]]: the table named,
// empty for every table; nothing when `sql` is not one. FOR PROCEDURE
// gives `procedures`.
struct UpdateStatistics
{
    NamedAt table;
    bool procedures = false;
};
std::optional<UpdateStatistics> parseUpdateStatistics(const StatementTokens &statement);

} // namespace quoll::connection::embedded
