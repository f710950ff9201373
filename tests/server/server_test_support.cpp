#include "server_test_support.h"

#include <cstdlib>
#include <regex>
#include <stdexcept>

namespace seclog::server::testing {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "seclog-server-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Reply toReply(const httplib::Result &result) {
    if (!result)
        throw std::runtime_error("request failed: " + httplib::to_string(result.error()));
    return {result->status, result->get_header_value("Content-Type"),
            nlohmann::json::parse(result->body, nullptr, false)};
}

std::string spBody(const std::string &spName, const nlohmann::json &data, bool withStrings) {
    nlohmann::json body = {{"SPName", spName}, {"JSONData", data}};
    if (withStrings)
        body["withStrings"] = true;
    return body.dump();
}

bool isClientDateTime(const std::string &text) {
    static const std::regex pattern(
        R"(\d{2} (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4} \d{2}:\d{2}:\d{2})");
    return std::regex_match(text, pattern);
}

std::vector<std::string> column(const nlohmann::json &rows, const char *key) {
    std::vector<std::string> values;
    for (const auto &row : rows)
        values.push_back(row.at(key).get<std::string>());
    return values;
}

DemoServer::DemoServer(ServerOptions overrides) {
    ServerOptions options = std::move(overrides);
    options.dbPath = dbPath();
    options.demo = true;
    options.logRequests = false;
    server_ = std::make_unique<StandInServer>(options);
}

httplib::Client DemoServer::client() const {
    httplib::Client client("127.0.0.1", server_->port());
    client.set_read_timeout(10);
    return client;
}

Reply DemoServer::postSp(const std::string &spName, const nlohmann::json &data, bool withStrings) {
    return postRaw("/sp", spBody(spName, data, withStrings), "application/json");
}

Reply DemoServer::postRaw(const std::string &path, const std::string &body,
                          const std::string &type) {
    return toReply(client().Post(path, body, type));
}

Reply DemoServer::postForm(const std::string &path,
                           const std::map<std::string, std::string> &fields) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string body;
    for (const auto &[key, value] : fields) {
        body += (body.empty() ? "" : "&") + key + '=';
        for (unsigned char c : value) {
            if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~')
                body += static_cast<char>(c);
            else
                body += {'%', kHex[c >> 4], kHex[c & 0xf]};
        }
    }
    return postRaw(path, body, "application/x-www-form-urlencoded");
}

Reply DemoServer::openLogs(const std::string &division, const std::string &branch) {
    return postSp("USP_GetSecurityLogBySearchText",
                  {{"SearchBy", "NotOut"}, {"SearchText", division}, {"BranchCode", branch}});
}

Reply DemoServer::searchLogs(const std::string &by, const std::string &text) {
    return postSp("USP_SecurityLogBySearchText_RptSearch",
                  {{"branchCode", "HLV01"}, {"SearchText", text}, {"SearchBy", by}});
}

} // namespace seclog::server::testing
