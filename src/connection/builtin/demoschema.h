#pragma once

#include <span>

namespace quoll::connection::builtin {

// The DDL of the demo's main database, in the order it runs: tables with
// constraints of every kind, then indexes, views, triggers and routines.
std::span<const char *const> demoTables();
std::span<const char *const> demoIndexes();
std::span<const char *const> demoViews();
std::span<const char *const> demoTriggers();
std::span<const char *const> demoRoutines();

// The DDL of the small database.
std::span<const char *const> demoSmallTables();

} // namespace quoll::connection::builtin
