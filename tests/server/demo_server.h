#pragma once

// What the server tests share: a demo server on a free loopback port with its own database,
// and readers for its replies.

#include "seclogserver/stand_in_server.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace seclog::server::testing {

using nlohmann::json;
using Ids = std::vector<std::string>;
inline constexpr const char *kForm = "application/x-www-form-urlencoded";

// A fresh directory under /tmp, removed again on destruction.
struct TempDir {
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "seclog-XXXXXX").string();
        path = mkdtemp(pattern.data()) ? pattern : throw std::runtime_error("mkdtemp failed");
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir &) = delete;
    std::filesystem::path path;
};

// The JSON body of a reply, null if it is not JSON; the status must be as given.
inline json jsonOf(const httplib::Result &result, int status = 200) {
    if (!result)
        throw std::runtime_error("request failed: " + httplib::to_string(result.error()));
    EXPECT_EQ(result->status, status) << result->body.substr(0, 200);
    return json::parse(result->body, nullptr, false);
}

inline std::string spBody(const std::string &spName, const json &data) {
    return json{{"SPName", spName}, {"JSONData", data}, {"withStrings", true}}.dump();
}

// "dd MMM yyyy HH:mm:ss", the one date form the client parses.
inline bool isClientDateTime(const json &text) {
    static const std::regex pattern(
        R"(\d{2} (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4} \d{2}:\d{2}:\d{2})");
    return text.is_string() && std::regex_match(text.get<std::string>(), pattern);
}

inline std::vector<std::string> column(const json &rows, const char *key) {
    std::vector<std::string> values;
    for (const auto &row : rows)
        values.push_back(row.at(key).get<std::string>());
    return values;
}

inline std::vector<std::string> keysOf(const json &row) {
    std::vector<std::string> keys;
    for (const auto &item : row.items())
        keys.push_back(item.key());
    return keys; // nlohmann keeps object keys sorted
}

struct DemoServer {
    TempDir dir;
    std::filesystem::path dbPath = dir.path / "seclog.db";
    StandInServer server{{.dbPath = dbPath,
                          .demo = true,
                          .filesDir = {},
                          .appVersion = {},
                          .appLink = {},
                          .logRequests = false}};

    httplib::Client client() const { return httplib::Client("127.0.0.1", server.port()); }
    json post(const std::string &path, const std::string &body) {
        return jsonOf(client().Post(path, body, "application/json"));
    }
    json postSp(const std::string &spName, const json &data) {
        return post("/sp", spBody(spName, data));
    }
    // Open logs ("NotOut", text: division id) or a search ("MobileIOS", report filter).
    json logs(const std::string &by, const std::string &text, const std::string &branch = "HLV01") {
        if (by == "NotOut")
            return postSp("USP_GetSecurityLogBySearchText",
                          {{"SearchBy", by}, {"SearchText", text}, {"BranchCode", branch}});
        return postSp("USP_SecurityLogBySearchText_RptSearch",
                      {{"branchCode", branch}, {"SearchText", text}, {"SearchBy", by}});
    }
    // A form post of the two save parameters, as the client's DataTask sends them.
    json save(const std::string &path, const std::string &log, const std::string &details) {
        return jsonOf(client().Post(
            path, httplib::Params{{"SecurityIOLog", log}, {"SecurityIODetails", details}}));
    }
};

} // namespace seclog::server::testing
