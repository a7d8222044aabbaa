#pragma once

#include "connection/embedded/ddlparser.h"

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
void recordConstraints(sqlite3 *db, qint64 tabid, const QString &owner, const CreateTable &table);

// Before a table is dropped: the triggers of its own references, and the
// references other tables have to it (their rows, backing indexes and
// triggers), as dropping a parent table drops the constraints that refer
// to it.
void forgetReferences(sqlite3 *db, qint64 tabid);

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
void insertIndexRow(sqlite3 *db, const QString &idxname, const QString &owner, qint64 tabid, bool unique,
                    bool clustered, const std::vector<int> &parts);

// Sets `systables.nindexes` to the number of the table's indexes.
void recountIndexes(sqlite3 *db, qint64 tabid);

} // namespace quoll::connection::embedded
