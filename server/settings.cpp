#include "settings.h"

#include "database.h"

namespace seclog::server {

std::optional<std::string> readSetting(Database &db, const std::string &key) {
    const auto rows = db.query("SELECT value FROM Settings WHERE key = ?1", {key});
    if (rows.empty())
        return std::nullopt;
    return rows[0]["value"].get<std::string>();
}

void writeSetting(Database &db, const std::string &key, const std::string &value) {
    db.execute("INSERT INTO Settings(key, value) VALUES (?1, ?2) "
               "ON CONFLICT(key) DO UPDATE SET value = excluded.value",
               {key, value});
}

} // namespace seclog::server
