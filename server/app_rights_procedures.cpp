#include "database.h"
#include "procedure_params.h"
#include "procedures.h"
#include "settings.h"

namespace seclog::server {
namespace {

constexpr const char *kIosAppName = "SECURITY IOS 11";
// Matches the client's own version, so by default no update is offered.
constexpr const char *kDefaultAppVersion = "1.0";

std::string defaultAppLink(int port) {
    // "andurl" stands where "&url" belongs; the client expects that text as is.
    return "http://127.0.0.1:" + std::to_string(port) + "/download?app=seclogandurl=itms";
}

nlohmann::json appVersion(ProcedureContext &context, const nlohmann::json &data) {
    if (textParam(data, "AppName") != kIosAppName)
        return nlohmann::json::array();
    const std::string version =
        readSetting(context.db, setting::kAppVersion).value_or(kDefaultAppVersion);
    const std::string link =
        readSetting(context.db, setting::kAppLink).value_or(defaultAppLink(context.port));
    return nlohmann::json::array({{{"AppleAppVersion", version}, {"HttpLinkURL", link}}});
}

} // namespace

void addAppRightsProcedures(ProcedureRegistry &registry) {
    registry.add("USP_tblMAppleAppRights", "ReqType", "VER", appVersion);
}

} // namespace seclog::server
