#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

namespace seclog::server {

class Database;

struct ProcedureContext {
    Database &db;
    int port;
    const std::filesystem::path &filesDir;
};

// Returns the reply rows (a JSON array). Throw RequestError for bad input.
using ProcedureHandler = std::function<nlohmann::json(ProcedureContext &, const nlohmann::json &)>;

// Maps SPName (plus, for multi-purpose procedures, the value of one selector key in
// JSONData such as SP_Type or SearchBy) to the code that answers it.
class ProcedureRegistry {
public:
    void add(const std::string &spName, ProcedureHandler handler);
    void add(const std::string &spName, const std::string &selectorKey,
             const std::string &selectorValue, ProcedureHandler handler);
    // A second spelling of a procedure's selector key, read when the first is absent: one
    // client call sends "spType" where the others send "SP_Type".
    void addSelectorSpelling(const std::string &spName, const std::string &selectorKey);

    // Throws RequestError for an unknown procedure or selector.
    const ProcedureHandler &find(const std::string &spName, const nlohmann::json &data) const;
    // "SPName" or "SPName/selector" for request logs; never throws.
    std::string describe(const std::string &spName, const nlohmann::json &data) const;

private:
    struct Entry {
        std::string selectorKey; // empty: one handler for the whole procedure
        std::string otherSpelling;
        ProcedureHandler handler;
        std::map<std::string, ProcedureHandler> bySelector;
    };
    static std::string selectorOf(const Entry &entry, const nlohmann::json &data);
    std::map<std::string, Entry> entries_;
};

} // namespace seclog::server
