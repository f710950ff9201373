#pragma once

#include <cstdint>
#include <mutex>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct sqlite3;

namespace seclog::server {

using SqlValue = std::variant<std::nullptr_t, std::int64_t, double, std::string>;
using SqlParams = std::vector<SqlValue>;

class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One SQLite connection. Not thread-safe by itself: callers hold lock() while using it,
// because httplib serves requests on several threads.
class Database {
public:
    explicit Database(const std::string &path, bool readOnly = false);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Rows as JSON objects keyed by column name; value types follow SQLite's storage class.
    nlohmann::json query(std::string_view sql, const SqlParams &params = {});
    // Returns the number of rows changed.
    int execute(std::string_view sql, const SqlParams &params = {});
    // Runs sql once per parameter row through one prepared statement (bulk inserts).
    void executeForEach(std::string_view sql, const std::vector<SqlParams> &rows);
    void executeScript(const std::string &sql);
    std::int64_t lastInsertId() const;

    std::unique_lock<std::mutex> lock() { return std::unique_lock(mutex_); }

    // Runs fn atomically, undoing its changes if it throws. Savepoints, so calls nest.
    template <typename Fn> void transaction(Fn &&fn) {
        executeScript("SAVEPOINT work");
        try {
            fn();
        } catch (...) {
            executeScript("ROLLBACK TO work; RELEASE work");
            throw;
        }
        executeScript("RELEASE work");
    }

private:
    sqlite3 *db_ = nullptr;
    std::mutex mutex_;
};

} // namespace seclog::server
