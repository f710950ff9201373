#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace seclog::server {

class Database;

// One item line of a document; `quantity` is the one of its own section, as stored.
struct ReportDocument {
    std::string section, docType, docNo, docDate, partyName, particulars, quantity;
};

struct SecurityLogReport {
    std::string branchName;
    // Label and value pairs in print order.
    std::vector<std::pair<std::string, std::string>> fields;
    std::vector<ReportDocument> documents;
};

// nullopt when the log does not exist in that branch.
std::optional<SecurityLogReport> loadSecurityLogReport(Database &db, std::int64_t logId,
                                                       const std::string &branchCode);

} // namespace seclog::server
