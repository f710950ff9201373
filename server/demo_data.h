#pragma once

#include <filesystem>
#include <optional>

namespace seclog::server {

class Database;

// Fills an empty database with a small textile-mill site: branch HLV01, three divisions
// with a handheld each, users (demo/demo), employees to meet, the pick lists, visitors and a
// few days of gate logs relative to now, some with documents, suppliers and their towns,
// units, the item master (itemMasterSize items when given) and store POs. Rows are added only
// to an empty database; photos, bill images and item pictures are (re)written under filesDir.
void loadDemoData(Database &db, const std::filesystem::path &filesDir,
                  std::optional<int> itemMasterSize = std::nullopt);

} // namespace seclog::server
