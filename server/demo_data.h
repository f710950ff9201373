#pragma once

#include <filesystem>
#include <optional>

namespace seclog::server {

class Database;

// What a benchmark may make bigger; nullopt keeps the demo's own size.
struct DemoSize {
    std::optional<int> itemMasterSize;
    std::optional<int> historyLogsPerDay; // division 1's logs on each day of the history
    std::optional<int> historyMonths;
    std::optional<int> openLogs; // division 1's open logs in all (demo_open_logs.h)
};

// Fills an empty database with a small textile-mill site: branch HLV01, three divisions
// with a handheld each, users (demo/demo), employees to meet, the pick lists, visitors and a
// few days of gate logs relative to now, some with documents, suppliers and their towns,
// units, the item master and store POs, then months of closed logs of other visitors
// (see demo_history.h), and last the documents the gate scans: DCs, godown transfers, hand-bit
// DCs and bills. Rows are added only to an empty database; photos, bill images, item and
// document pictures are (re)written under filesDir.
void loadDemoData(Database &db, const std::filesystem::path &filesDir, const DemoSize &size = {});

} // namespace seclog::server
