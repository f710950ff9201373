#pragma once

// What the server tests share: a demo server on a free loopback port with its own database,
// readers for its replies, and a valid log to save.

#include "database.h"
#include "seclogserver/stand_in_server.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace seclog::server::testing {

using nlohmann::json;
using Ids = std::vector<std::string>;
inline constexpr const char *kLogProcedure = "USP_GetSecurityLogBySearchText";
inline constexpr const char *kSavePath = "/SaveSecurityIOLog_NoImageData";

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

inline json errorOf(const std::string &text) {
    return {{"error", text}};
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

// The parts of a text between separators, for lists in one-line table rows; none in "".
inline std::vector<std::string> listOf(const std::string &text, char separator = '|') {
    std::vector<std::string> parts;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find(separator, at), text.size());
        parts.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return parts;
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
        EXPECT_EQ(keysOf(row), listOf(keys, ' ')) << row;
        for (const auto &value : row)
            EXPECT_TRUE(value.is_string()) << row;
    }
}

// Rows read straight from the database file, past the server.
inline json dbRows(const std::filesystem::path &dbPath, const std::string &sql,
                   const SqlParams &params = {}) {
    Database db(dbPath.string(), true);
    return db.query(sql, params);
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
    json postSp(const std::string &spName, const json &data) {
        return seclog::server::testing::postSp(server, spName, data);
    }
    // Open logs ("NotOut", text: division id) or a search ("MobileIOS", report filter).
    json logs(const std::string &by, const std::string &text, const std::string &branch = "HLV01") {
        if (by == "NotOut")
            return postSp(kLogProcedure,
                          {{"SearchBy", by}, {"SearchText", text}, {"BranchCode", branch}});
        return postSp("USP_SecurityLogBySearchText_RptSearch",
                      {{"branchCode", branch}, {"SearchText", text}, {"SearchBy", by}});
    }
    // The log as the list shows it; the report search also matches the id inside other fields.
    json reportRow(const std::string &logId) {
        for (const auto &row : logs("SecIOS_ReportFilterSearch", logId))
            if (row["SecIOLog_id"] == logId)
                return row;
        return json::object();
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

// --- The log form's save -------------------------------------------------------------------

// Every row of every table a save writes to, to prove a refused save left nothing behind.
inline json snapshot(const std::filesystem::path &dbPath) {
    json tables;
    for (const char *table :
         {"SecurityIOLog", "Person", "SecurityIODetails", "SecurityIOLogDocIds"})
        tables[table] = dbRows(dbPath, std::string("SELECT * FROM ") + table + " ORDER BY rowid");
    return tables;
}

// Sets the given keys; a null value removes the key.
inline json patched(json row, const json &patch) {
    for (const auto &[key, value] : patch.items())
        value.is_null() ? void(row.erase(key)) : void(row[key] = value);
    return row;
}

// A valid header of a new log at Gate-1, as the form sends it ("INHB_ids " has the blank),
// with the keys of patch (JSON text) changed.
inline json headerWith(const char *patch = "{}") {
    return patched(json::parse(R"({"SecIOLog_id":"0","BranchCode":"HLV01","Division_id":"1",
        "Device_id":"1","IOType_id":"1","IOPerson":"Vijay Anand","IODesignation":"Sales Executive",
        "IOMobile":"+91 90000 11111","IOAdd1":"7 Park Road, Tiruppur","Meet_To":"Priya Menon",
        "TokenNo":"42","Purpose":"Meeting","IOImgPath":"~/Security/PersonsImages/1",
        "CreatedBy":"1","IOMode":"I","ImageData":"","IOLog_ids":"","INDC_ids":"","OUTDC_ids":"",
        "DC_Detids":"","INGodTrn_ids":"","OUTGodTrn_ids":"","INHB_ids ":"","OUTHB_ids":"",
        "IOVehicle":"TN 38 ZZ 0001"})"),
                   json::parse(patch));
}

// One item line; quantityKey is "Quantity" (IN) or "OutQty" (OUT).
inline json itemLine(const char *quantityKey, const char *quantity, const char *particulars,
                     const char *docNo = "BL-1") {
    return {{"Party_id", ""},          {"PartyName", "Vijay Traders"},
            {"City", "Tiruppur"},      {"DocNo", docNo},
            {"DocDate", "2024-03-01"}, {"Particulars", particulars},
            {quantityKey, quantity},   {"DocPath", "~/Security/SecLogDetails_Bill/0"},
            {"DetailImageData", ""}};
}

inline json detailQuery(const json &logId) {
    return {{"SearchBy", "SecIOLogDetail"}, {"SearchText", logId}, {"BranchCode", "HLV01"}};
}

} // namespace seclog::server::testing
