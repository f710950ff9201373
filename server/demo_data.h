#pragma once

#include <filesystem>

namespace seclog::server {

class Database;

// Fills an empty database with a small textile-mill site: branch HLV01, three divisions
// with a handheld each, users (demo/demo), visitors and a few days of gate logs relative
// to now. Rows are added only to an empty database; photos are (re)written under filesDir.
void loadDemoData(Database &db, const std::filesystem::path &filesDir);

} // namespace seclog::server
