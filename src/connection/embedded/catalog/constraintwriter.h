#pragma once

#include "connection/embedded/catalog/catalogrows.h"

#include "connection/embedded/sql/ddlparser.h"

#include <QString>

#include <vector>

struct sqlite3;

namespace quoll::connection::embedded {

// Writes the constraints of a new table into `sysconstraints`, with a
// `sysreferences` row for each reference and a `sysindexes` row for every
// primary key, unique and reference constraint that no index of the table
// serves already (named " <tabid>_<constrid>"), then sets
// `systables.nindexes`. The constraints carry their numbers and names from
// the planner. References are enforced by triggers of the storage engine
// that fail with the Informix codes (-691 on the child, -692 on the parent)
// or delete the children when the reference cascades. Raises EngineError.
void recordConstraints(CatalogWriter &out, qint64 tabid, const QString &owner, const CreateTable &table);

// The name the server gives a constraint written without one: its kind's
// letter, the table's number and its own ("u101_7").
QString defaultConstraintName(ConstraintDefinition::Kind kind, qint64 tabid, qint64 constrid);

// Writes constraints that ALTER TABLE adds to an existing table, as
// recordConstraints does, and what enforces them in the storage engine
// (which cannot add constraints to a table): a unique index for a key
// that no unique index serves yet, triggers for NULL in a primary key
// (-391) and for a check (-530), triggers for a reference.
void recordAddedConstraints(CatalogWriter &out, qint64 tabid, const QString &owner, const QString &table,
                            const std::vector<ConstraintDefinition> &constraints);

// Whether the storage engine can let the constraint go: references, and
// constraints added by ALTER TABLE or kept by a user's unique index; not
// those written into CREATE TABLE, which the storage engine's table
// definition keeps.
bool canDropConstraint(sqlite3 *db, qint64 constrid);

// Drops the constraint, its references (for a key) and what enforces it,
// with its index row when the server made it for the constraint.
void dropConstraint(CatalogWriter &out, qint64 constrid);

// Before a table is dropped: the triggers of its own references, and the
// references other tables have to it (their rows, backing indexes and
// triggers), as dropping a parent table drops the constraints that refer
// to it.
void forgetReferences(CatalogWriter &out, qint64 tabid);

// The column numbers of the table's columns, 0 for an unknown name.
std::vector<int> columnNumbers(sqlite3 *db, qint64 tabid, const QStringList &columns);

// The key columns (part1..part16) of an index of the table, negative for
// descending ones.
std::vector<int> indexParts(sqlite3 *db, const QString &idxname);

// The constraint number of the table's primary key (`key` empty) or of its
// primary key or unique constraint on exactly the columns `key`, 0 when it
// has none.
qint64 keyConstraint(sqlite3 *db, qint64 tabid, const std::vector<int> &key);

// Writes a `sysindexes` row; `parts` up to 16 column numbers.
void insertIndexRow(CatalogWriter &out, const QString &idxname, const QString &owner, qint64 tabid, bool unique,
                    bool clustered, const std::vector<int> &parts);

// Sets `systables.nindexes` to the number of the table's indexes.
void recountIndexes(CatalogWriter &out, qint64 tabid);

} // namespace quoll::connection::embedded
