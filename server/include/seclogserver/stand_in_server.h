#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace seclog::server {

struct ServerOptions {
    std::filesystem::path dbPath;
    std::string host = "127.0.0.1";
    int port = 0; // 0: pick a free port
    bool demo = false;
    // With demo: the item master holds exactly this many items (a big one for benchmarks);
    // nullopt: the demo's own few hundred.
    std::optional<int> itemMasterSize = std::nullopt;
    // With demo: closed logs of the past, from the first day of the month this many months
    // back up to yesterday (nullopt: 4); division 1 gets exactly historyLogsPerDay of them
    // each day when given (a big history for benchmarks), other divisions a believable mix.
    std::optional<int> historyLogsPerDay = std::nullopt;
    std::optional<int> historyMonths = std::nullopt;
    // With demo: division 1 gets open logs until it has this many, each new one of a visitor
    // of their own with a portrait (a long list of people inside, for benchmarks); nullopt:
    // the demo's own few.
    std::optional<int> openLogs = std::nullopt;
    std::filesystem::path filesDir; // empty: "<dbPath>.files"
    std::optional<std::string> appVersion;
    std::optional<std::string> appLink;
    bool logRequests = true; // one line per request on stdout
    // Where to write the QR code of every stored document (DCs, godown transfers, hand-bit
    // DCs, bills) as "<kind>-<id>.png", with codes.json listing them; "" writes none.
    std::filesystem::path codesDir = {};
    // A fault for the tests of retried saves: "after-save" ends the process once a save is
    // stored, before it is answered; "upload:N" ends it when the Nth upload arrives. "": none.
    std::string dieAt = {};
};

struct NewUser {
    std::string userName;
    std::string password;
    std::string empName;
    std::string branchCode = "HLV01";
    std::int64_t departmentId = 1;
    std::int64_t divisionId = 1;
    bool active = true;
};

// The stand-in server, serving on a background thread from construction until stop().
// Throws std::runtime_error if the database cannot be opened or the port cannot be bound.
class StandInServer {
public:
    explicit StandInServer(ServerOptions options);
    ~StandInServer();
    StandInServer(const StandInServer &) = delete;
    StandInServer &operator=(const StandInServer &) = delete;

    int port() const;
    std::string baseUrl() const; // "http://127.0.0.1:PORT"
    const std::filesystem::path &filesDir() const;
    void stop();

    // Adds an employee and login for it; returns Users_id. Needs the referenced
    // branch, department and division to exist (they do with demo data).
    std::int64_t addUser(const NewUser &user);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Sets the database up as the server does (schema; demo data and pictures with options.demo),
// then writes the document codes into options.codesDir, without serving. Returns how many
// documents it wrote. Throws std::runtime_error if the database or a file cannot be written.
std::size_t writeDocumentCodes(const ServerOptions &options);

// OutTime of a log as the client sees it: "" while open, "dd MMM yyyy HH:mm:ss" once out,
// nullopt if there is no such log. Reads the database file directly.
std::optional<std::string> logOutTime(const std::filesystem::path &dbPath, std::int64_t logId);

} // namespace seclog::server
