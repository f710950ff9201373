#pragma once

#include <filesystem>

namespace seclog::server {

class Database;

// Adds open logs to division 1 until it has `total` (a long list of people still inside, for
// benchmarks); each new one is by a visitor of their own ("Guest 00001", ...) with a portrait of
// their own written under filesDir, entering one after another over the last twelve hours. Needs
// the demo's site, users and pick lists stored first; ids follow the rows already stored.
void insertDemoOpenLogs(Database &db, const std::filesystem::path &filesDir, int total);

} // namespace seclog::server
