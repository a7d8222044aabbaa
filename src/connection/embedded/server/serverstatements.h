#pragma once

#include "connection/embedded/sql/statementtokens.h"

namespace quoll::connection::embedded {

// The statements the server carries out itself rather than the storage
// engine: DATABASE, CLOSE DATABASE, CREATE and DROP DATABASE, BEGIN,
// COMMIT and ROLLBACK [WORK], and the session settings (SET ISOLATION,
// LOCK MODE, EXPLAIN, PDQPRIORITY, OPTIMIZATION, DEFERRED_PREPARE).
// EmbeddedEngine::runServerStatement carries them out.
bool isServerStatement(const StatementTokens &statement);

} // namespace quoll::connection::embedded
