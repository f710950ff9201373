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

DemoServer::DemoServer(ServerOptions overrides) {
    ServerOptions options = std::move(overrides);
    options.dbPath = dbPath();
    options.host = "127.0.0.1";
    options.port = 0;
    options.demo = true;
    options.logRequests = false;
    server_ = std::make_unique<StandInServer>(options);
}

httplib::Client DemoServer::client() const {
    httplib::Client client("127.0.0.1", server_->port());
    client.set_read_timeout(10);
    return client;
}

Reply toReply(const httplib::Result &result) {
    if (!result)
        throw std::runtime_error("request failed: " + httplib::to_string(result.error()));
    Reply reply;
    reply.status = result->status;
    reply.contentType = result->get_header_value("Content-Type");
    reply.json = nlohmann::json::parse(result->body, nullptr, false);
    return reply;
}

Reply DemoServer::postSp(const std::string &spName, const nlohmann::json &data, bool withStrings) {
    nlohmann::json body = {{"SPName", spName}, {"JSONData", data}};
    if (withStrings)
        body["withStrings"] = true;
    return postRaw("/sp", body.dump(), "application/json");
}

Reply DemoServer::postRaw(const std::string &path, const std::string &body,
                          const std::string &type) {
    return toReply(client().Post(path, body, type));
}

Reply DemoServer::postForm(const std::string &path,
                           const std::map<std::string, std::string> &fields) {
    std::string body;
    for (const auto &[key, value] : fields) {
        if (!body.empty())
            body += '&';
        body += percentEncodeAll(key) + '=' + percentEncodeAll(value);
    }
    return postRaw(path, body, "application/x-www-form-urlencoded");
}

std::string percentEncodeAll(const std::string &text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xf]);
        }
    }
    return out;
}

bool isClientDateTime(const std::string &text) {
    static const std::regex pattern(
        R"(\d{2} (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4} \d{2}:\d{2}:\d{2})");
    return std::regex_match(text, pattern);
}

} // namespace seclog::server::testing
