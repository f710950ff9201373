#pragma once

#include "seclogserver/stand_in_server.h"

#include <filesystem>
#include <httplib.h>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

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

private:
    TempDir dir_;
    std::unique_ptr<StandInServer> server_;
};

std::string percentEncodeAll(const std::string &text);
bool isClientDateTime(const std::string &text); // "dd MMM yyyy HH:mm:ss"
Reply toReply(const httplib::Result &result);

} // namespace seclog::server::testing
