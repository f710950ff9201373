#pragma once

#include <filesystem>

namespace seclog::server {

class Database;

// Fills an empty database with a small textile-mill site: branch HLV01, three divisions
// with a handheld each, users (demo/demo), employees to meet, the pick lists, visitors and a
// few days of gate logs relative to now, some with documents. Rows are added only to an
// empty database; photos and bill images are (re)written under filesDir.
void loadDemoData(Database &db, const std::filesystem::path &filesDir);

} // namespace seclog::server
