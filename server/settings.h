#pragma once

#include <optional>
#include <string>

namespace seclog::server {

class Database;

namespace setting {
inline constexpr const char *kAppVersion = "AppleAppVersion";
inline constexpr const char *kAppLink = "HttpLinkURL";
} // namespace setting

std::optional<std::string> readSetting(Database &db, const std::string &key);
void writeSetting(Database &db, const std::string &key, const std::string &value);

} // namespace seclog::server
