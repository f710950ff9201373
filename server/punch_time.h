#pragma once

#include <string>
#include <string_view>

namespace seclog::server {

// A punch as the fingerprint log shows it: ISO "yyyy-MM-dd HH:mm:ss" becomes
// "dd MMM yyyy hh:mm AP" ("07 Dec 2026 09:12 AM"), English months, 12-hour clock.
// Text that is not ISO is passed through unchanged.
std::string punchDisplayTime(std::string_view iso);

} // namespace seclog::server
