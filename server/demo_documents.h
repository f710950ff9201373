#pragma once

#include <filesystem>

namespace seclog::server {

class Database;

// Item lines in the IN and OUT sections of a few demo logs (4, 10, 31, 34), some with bill
// images. Needs the demo logs to be stored first.
void insertDemoDocuments(Database &db);
// The bill images those lines point to, under Security/SecLogDetails_Bill/.
void writeDemoBills(const std::filesystem::path &filesDir);

} // namespace seclog::server
