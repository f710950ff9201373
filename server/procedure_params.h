#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace seclog::server {

// Reads a JSONData value as text: strings as-is, numbers and booleans converted,
// missing or null as "". Objects and arrays are a RequestError.
std::string textParam(const nlohmann::json &data, std::string_view key);
// Same, trying several spellings of the key (the client is not consistent about case).
std::string textParam(const nlohmann::json &data, std::initializer_list<std::string_view> keys);
// Like textParam but the value must be present and non-empty.
std::string requiredText(const nlohmann::json &data, std::string_view key);

// A row id written in decimal: digits only, above 0, within 64 bits; nullopt otherwise.
std::optional<std::int64_t> positiveId(std::string_view text);

// A row id sent as a positive integer or as its decimal text; anything else, or none, is a
// RequestError.
std::int64_t positiveIdParam(const nlohmann::json &data, std::string_view key);

// A mobile number without the blanks and hyphens that guards write the same number with
// differently. Compare it with kMobileDigitsSql of the stored number.
std::string mobileDigits(std::string_view mobile);
inline constexpr const char *kMobileDigitsSql = "REPLACE(REPLACE(p.IOMobile, ' ', ''), '-', '')";

// Longest text a search matches with LIKE; longer ones are a RequestError.
inline constexpr std::size_t kMaxSearchTextBytes = 1000;

// Makes user text safe inside "LIKE ? ESCAPE '\'": %, _ and \ match only themselves.
std::string likeContains(std::string_view text);
// The same for text the value must start with.
std::string likeStartsWith(std::string_view text);

} // namespace seclog::server
