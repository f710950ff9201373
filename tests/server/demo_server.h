#pragma once

// What the server tests share: a demo server on a free loopback port with its own database,
// and readers for its replies.

#include "seclogserver/stand_in_server.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <iterator>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
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

// Every file under dir with its bytes, to prove a refused request wrote nothing anywhere.
inline std::map<std::string, std::string> filesUnder(const std::filesystem::path &dir) {
    std::map<std::string, std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(dir))
        if (std::ifstream in(entry.path(), std::ios::binary); entry.is_regular_file())
            files[entry.path().string()].assign(std::istreambuf_iterator<char>(in), {});
    return files;
}

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

// The words of a text, for long lists of keys.
inline std::vector<std::string> words(const std::string &text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

inline std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The keys of a log row of every log search, in keysOf() order.
inline constexpr const char *kLogRowKeys =
    "DivisionName Division_id Employee_id FPDeviceName IOAdd1 IODesignation IOImgPath IOMobile "
    "IOPerson IOType IOType_id IOVehicle InTime IsUpdateable LogedBy Meet_To OutTime PersonType "
    "Purpose SecIOLog_id SecLogFrom TokenNo";

inline std::vector<std::string> keysOf(const json &row) {
    std::vector<std::string> keys;
    for (const auto &item : row.items())
        keys.push_back(item.key());
    return keys; // nlohmann keeps object keys sorted
}

// Every row has exactly the given keys (in keysOf() order) and only text values.
inline void expectTextRows(const json &rows, const std::string &keys) {
    for (const auto &row : rows) {
        EXPECT_EQ(keysOf(row), words(keys)) << row;
        for (const auto &value : row)
            EXPECT_TRUE(value.is_string()) << row;
    }
}

// A quiet demo server on the given database.
inline ServerOptions demoOptions(const std::filesystem::path &dbPath) {
    ServerOptions options;
    options.dbPath = dbPath;
    options.demo = true;
    options.logRequests = false;
    return options;
}

inline json postSp(const StandInServer &server, const std::string &spName, const json &data) {
    httplib::Client client("127.0.0.1", server.port());
    return jsonOf(client.Post("/sp", spBody(spName, data), "application/json"));
}

struct DemoServer {
    TempDir dir;
    std::filesystem::path dbPath = dir.path / "seclog.db";
    StandInServer server{demoOptions(dbPath)};

    httplib::Client client() const { return httplib::Client("127.0.0.1", server.port()); }
    json post(const std::string &path, const std::string &body) {
        return jsonOf(client().Post(path, body, "application/json"));
    }
    json postSp(const std::string &spName, const json &data) {
        return seclog::server::testing::postSp(server, spName, data);
    }
    // The body of a call that must be refused with 400.
    json refusedSp(const std::string &spName, const json &data) {
        return jsonOf(client().Post("/sp", spBody(spName, data), "application/json"), 400);
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

// One demo server for all cases of a suite; each ctest run starts its own.
template <class Base = ::testing::Test> class SharedDemo : public Base {
protected:
    static void SetUpTestSuite() { demo = std::make_unique<DemoServer>(); }
    static void TearDownTestSuite() { demo.reset(); }
    static inline std::unique_ptr<DemoServer> demo;
};

} // namespace seclog::server::testing
