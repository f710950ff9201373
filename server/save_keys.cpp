#include "save_keys.h"

#include "database.h"

namespace seclog::server::SaveKeys {

void ensureTable(Database &db) {
    db.executeScript("CREATE TABLE IF NOT EXISTS SaveKeys ("
                     " SaveKey TEXT PRIMARY KEY,"
                     " Answer TEXT NOT NULL,"
                     " SavedAt TEXT NOT NULL DEFAULT (datetime('now')))");
}

std::optional<nlohmann::json> firstAnswer(Database &db, const std::string &key) {
    const nlohmann::json rows = db.query("SELECT Answer FROM SaveKeys WHERE SaveKey = ?1", {key});
    if (rows.empty())
        return std::nullopt;
    auto answer = nlohmann::json::parse(rows[0]["Answer"].get<std::string>(), nullptr, false);
    return answer.is_discarded() ? std::nullopt : std::optional<nlohmann::json>(answer);
}

void remember(Database &db, const std::string &key, const nlohmann::json &answer) {
    db.execute("INSERT INTO SaveKeys (SaveKey, Answer) VALUES (?1, ?2)", {key, answer.dump()});
}

bool stored(const nlohmann::json &answer) {
    return answer.is_array() && !answer.empty() && answer[0].is_object() &&
           answer[0].contains("ID");
}

} // namespace seclog::server::SaveKeys
