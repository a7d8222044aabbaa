#pragma once

#include "benchmark.h"

#include "connection/engine/database.h"

#include <memory>

namespace quoll::bench {

constexpr int BigTableRows = 1'000'000;

// A connection to a server in the work folder whose database "bench" holds
// big (i integer, s char(20), d decimal(10,2), dt date, v varchar(30)) with
// a million rows; made on first use. `databaseFile` receives the file the
// sqlite3 shell can read.
std::unique_ptr<connection::Database> bigTable(const Options &options, QString &databaseFile);

} // namespace quoll::bench
