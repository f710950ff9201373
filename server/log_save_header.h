#pragma once

#include "log_id_lists.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace seclog::server {

// The header row of a whole-log save (the one element of SecurityIOLog), read and checked
// for form; whether its ids exist is the writer's business.
struct LogSaveHeader {
    std::optional<std::int64_t> logId; // nullopt: a new log (SecIOLog_id "0" or "")
    std::string branchCode;
    std::int64_t divisionId = 0;
    std::optional<std::int64_t> deviceId;
    std::int64_t ioTypeId = 0;
    std::int64_t createdBy = 0;
    std::string ioPerson, ioDesignation, ioMobile, ioAdd1, ioImgPath;
    std::string meetTo, tokenNo, purpose;
    std::optional<std::string> ioVehicle; // the client leaves the key out when none was chosen
    bool goingOut = false;                // IOMode "O"
    std::vector<IdList> idLists;
};

// Throws RequestError with the reason the client shows.
LogSaveHeader parseLogSaveHeader(const std::string &securityIOLog);

} // namespace seclog::server
