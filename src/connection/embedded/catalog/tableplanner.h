#pragma once

#include "connection/embedded/catalog/catalogstatements.h"
#include "connection/embedded/sql/ddlparser.h"

namespace quoll::connection::embedded {

// How a CREATE TABLE with Informix constraints is carried out: the numbers
// the table and its constraints will get, the names the server gives
// unnamed constraints (u<tabid>_<constrid> for primary keys and unique,
// r.. references, c.. checks, n.. NOT NULL), the references checked
// against their parents, and the statement rewritten for the storage
// engine: constraint names dropped (or put before a CHECK, which then
// reports its name), DISTINCT as UNIQUE, references left to the server,
// NOT NULL on key columns and SERIAL columns numbered when left out.
// Raises StatementError (-206 unknown parent, -217 unknown column, -297 a
// parent without that key).
CatalogPlan planCreateTable(const CatalogContext &context, QStringView sql, CreateTable table);

// ALTER TABLE ... ADD CONSTRAINT and DROP CONSTRAINT. Added constraints
// are numbered and named as in CREATE TABLE and checked against the rows
// the table has (-371 duplicates, -391 NULL in a key, -530, -691); the
// storage engine, which cannot change a table's constraints, gets unique
// indexes and triggers that enforce them. Dropping a constraint drops the
// references to it; one written in CREATE TABLE other than a reference
// cannot be dropped (the storage engine's table keeps it). Raises
// StatementError (-206, -217, -297, -623 unknown constraint).
std::optional<CatalogPlan> planAlterConstraints(const CatalogContext &context, const StatementTokens &statement);

} // namespace quoll::connection::embedded
