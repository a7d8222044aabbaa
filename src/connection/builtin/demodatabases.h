#pragma once

#include "connection/embedded/server/embeddedserver.h"

#include <QString>

namespace quoll::connection::builtin {

// The demo server's databases.
namespace DemoDatabase {
inline constexpr const char *Main = "demo";       // logged; every feature of the catalog
inline constexpr const char *Small = "demo_hr";   // a small database without logging
inline constexpr const char *Wide = "demo_wide";  // thousands of tables
inline constexpr int WideTables = 3000;
inline constexpr int ReadingRows = 100000;        // rows of demo:sensor_readings
} // namespace DemoDatabase

// Fills a new embedded server with the demo databases, made by running
// their DDL and rows through the server itself; the same every time apart
// from creation dates and the user names the defaults record. The roles of
// the main database are granted to `user` (and to public). Raises
// EngineError naming the statement that failed.
void generateDemoDatabases(const embedded::EmbeddedServer &server, const QString &user);

} // namespace quoll::connection::builtin
