#pragma once

#include "log_save_details.h"
#include "log_save_header.h"

#include <cstdint>
#include <string>
#include <vector>

namespace seclog::server {

class Database;

// Writes a whole-log save: the person, the log header, its item lines and its id lists.
// Run it inside a transaction: it throws RequestError with the reason for the client part
// way through, and the caller's rollback then leaves nothing behind.
class SecurityLogWriter {
public:
    explicit SecurityLogWriter(Database &db) : db_(db) {}

    // Returns the SecIOLog_id of the new or updated log.
    std::int64_t save(const LogSaveHeader &header, const std::vector<LogSaveDetail> &details);

private:
    struct References {
        std::string ioType;   // becomes the person's PersonType
        std::string gateName; // becomes the log's FPDeviceName
    };

    References checkReferences(const LogSaveHeader &header);
    void checkLogIsOpenForUpdate(const LogSaveHeader &header);
    std::int64_t personFor(const LogSaveHeader &header, const std::string &personType);
    std::int64_t insertLog(const LogSaveHeader &header, std::int64_t personId,
                           const std::string &gateName);
    void updateLog(const LogSaveHeader &header, std::int64_t personId);
    void writeDetail(std::int64_t logId, size_t row, const LogSaveDetail &detail);

    Database &db_;
};

} // namespace seclog::server
