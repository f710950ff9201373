#include "log_save_header.h"

#include "procedure_params.h"
#include "request_error.h"

#include <nlohmann/json.hpp>

namespace seclog::server {
namespace {

std::int64_t requiredId(const nlohmann::json &row, std::string_view key) {
    const std::string text = textParam(row, key);
    const auto id = positiveId(text);
    if (!id)
        throw RequestError(std::string(key) + " '" + text + "' is not an id");
    return *id;
}

std::string requiredField(const nlohmann::json &row, std::string_view key) {
    std::string text = textParam(row, key);
    if (text.find_first_not_of(' ') == std::string::npos)
        throw RequestError(std::string(key) + " is missing");
    return text;
}

// Digits, plus, hyphen and blank, as the person screen accepts them.
bool isMobileNumber(const std::string &text) {
    return !text.empty() && text.find_first_not_of("0123456789+- ") == std::string::npos;
}

} // namespace

LogSaveHeader parseLogSaveHeader(const std::string &securityIOLog) {
    const auto rows = nlohmann::json::parse(securityIOLog, nullptr, false);
    if (rows.is_discarded() || !rows.is_array() || rows.size() != 1 || !rows[0].is_object())
        throw RequestError("SecurityIOLog must be a JSON array holding one row");
    const nlohmann::json &row = rows[0];

    LogSaveHeader header;
    const std::string logIdText = textParam(row, "SecIOLog_id");
    if (!logIdText.empty() && logIdText != "0") {
        header.logId = positiveId(logIdText);
        if (!header.logId)
            throw RequestError("SecIOLog_id '" + logIdText + "' is not a log id");
    }
    header.branchCode = requiredField(row, "BranchCode");
    header.divisionId = requiredId(row, "Division_id");
    if (!textParam(row, "Device_id").empty())
        header.deviceId = requiredId(row, "Device_id");
    header.createdBy = requiredId(row, "CreatedBy");
    header.ioTypeId = requiredId(row, "IOType_id");
    header.ioPerson = requiredField(row, "IOPerson");
    header.ioMobile = requiredField(row, "IOMobile");
    if (!isMobileNumber(header.ioMobile))
        throw RequestError("IOMobile '" + header.ioMobile + "' is not a mobile number");
    header.meetTo = requiredField(row, "Meet_To");
    header.ioDesignation = textParam(row, "IODesignation");
    header.ioAdd1 = textParam(row, "IOAdd1");
    header.ioImgPath = textParam(row, "IOImgPath");
    header.tokenNo = textParam(row, "TokenNo");
    header.purpose = textParam(row, "Purpose");
    if (row.contains("IOVehicle"))
        header.ioVehicle = textParam(row, "IOVehicle");
    const std::string mode = textParam(row, "IOMode");
    if (mode != "I" && mode != "O")
        throw RequestError("IOMode must be I or O, not '" + mode + "'");
    header.goingOut = mode == "O";
    header.idLists = readIdLists(row);
    return header;
}

} // namespace seclog::server
