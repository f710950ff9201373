#include "database.h"
#include "log_save_details.h"
#include "log_save_header.h"
#include "procedures.h"
#include "request_error.h"
#include "security_log_writer.h"

namespace seclog::server {

// Refusals go back as an "Error" row (HTTP 200): the client shows that text to the guard.
nlohmann::json saveSecurityIOLogNoImageData(ProcedureContext &context,
                                            const std::string &securityIOLog,
                                            const std::string &securityIODetails) {
    try {
        const LogSaveHeader header = parseLogSaveHeader(securityIOLog);
        const std::vector<LogSaveDetail> details = parseLogSaveDetails(securityIODetails);
        std::int64_t logId = 0;
        context.db.transaction(
            [&] { logId = SecurityLogWriter(context.db).save(header, details); });
        return nlohmann::json::array({{{"ID", std::to_string(logId)}}});
    } catch (const RequestError &error) {
        return nlohmann::json::array({{{"Error", error.what()}}});
    }
}

} // namespace seclog::server
