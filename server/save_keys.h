#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace seclog::server {

class Database;

// The saves a client may send again: each idempotency key with the first answer given to it,
// stored in the same transaction as the log it saved. A save retried after the server stored it
// but could not answer gets that answer again, and no second log.
namespace SaveKeys {
// Keys longer than this are refused: a key names one save, it carries no data.
constexpr std::size_t maxKeyLength = 200;

void ensureTable(Database &db);
std::optional<nlohmann::json> firstAnswer(Database &db, const std::string &key);
void remember(Database &db, const std::string &key, const nlohmann::json &answer);
// A save's answer that stored something (a row with "ID"), as opposed to a refusal.
bool stored(const nlohmann::json &answer);
} // namespace SaveKeys

} // namespace seclog::server
