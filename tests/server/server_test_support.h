#pragma once

#include "seclogserver/stand_in_server.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <httplib.h>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace seclog::server::testing {

// A fresh directory under /tmp, removed again on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct Reply {
    int status = 0;
    std::string contentType;
    nlohmann::json json; // discarded if the body is not JSON
};

Reply toReply(const httplib::Result &result);
std::string spBody(const std::string &spName, const nlohmann::json &data, bool withStrings = true);
bool isClientDateTime(const std::string &text); // "dd MMM yyyy HH:mm:ss"
std::vector<std::string> column(const nlohmann::json &rows, const char *key);

// Demo server on 127.0.0.1, port chosen by the OS, with its own database.
class DemoServer {
public:
    explicit DemoServer(ServerOptions overrides = {});
    StandInServer &server() { return *server_; }
    std::filesystem::path dbPath() const { return dir_.path() / "seclog.db"; }
    httplib::Client client() const;

    Reply postSp(const std::string &spName, const nlohmann::json &data, bool withStrings = true);
    Reply postRaw(const std::string &path, const std::string &body, const std::string &type);
    // Encodes every byte outside [A-Za-z0-9-._~], as the app does.
    Reply postForm(const std::string &path, const std::map<std::string, std::string> &fields);

    Reply openLogs(const std::string &division, const std::string &branch = "HLV01");
    Reply searchLogs(const std::string &by, const std::string &text);

private:
    TempDir dir_;
    std::unique_ptr<StandInServer> server_;
};

// One demo server for all tests of a suite.
class SharedDemoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { demo = std::make_unique<DemoServer>(); }
    static void TearDownTestSuite() { demo.reset(); }
    static inline std::unique_ptr<DemoServer> demo;
};

} // namespace seclog::server::testing
