#pragma once

#include "connection/embedded/sql/statementtokens.h"

#include <optional>
#include <vector>

namespace quoll::connection::embedded {

// A table as a statement names it: [database[@server]:][owner.]table
// [[AS] alias], by token index.
struct TableReference
{
    std::optional<size_t> database;   // the database's word, when named
    std::optional<size_t> server;     // the server's word after "@", when named
    std::optional<size_t> owner;      // the owner's word or quoted name
    size_t table = 0;                 // the table's name (a word, or a quoted name without an owner)
    std::optional<size_t> alias;      // the alias's word
    size_t end = 0;                   // one past the reference's last token
};

// The table reference starting at `k`; nothing when no name stands there.
std::optional<TableReference> readTableReference(const StatementTokens &s, size_t k);

// The alias after the table name at `table` ("t alias", "t AS alias"): a
// word that does not begin the next clause or a join.
std::optional<size_t> aliasAfter(const StatementTokens &s, size_t table);

// One entry of a FROM list: a table, or after OUTER a parenthesised list.
struct FromEntry
{
    bool outer = false;
    bool group = false;
    size_t at = 0;                    // its first token (its OUTER)
    TableReference table;             // a table entry's reference
    std::vector<FromEntry> children;  // a group's entries
};

// The entries of the FROM list in [k, end); nothing for a list this reader
// does not take apart (ANSI joins, derived tables, table functions).
std::optional<std::vector<FromEntry>> readFromList(const StatementTokens &s, size_t k, size_t end);

} // namespace quoll::connection::embedded
