#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace seclog::server {

// Stored form is ISO "yyyy-MM-dd HH:mm:ss" (sorts as text); the client reads
// "dd MMM yyyy HH:mm:ss" with English month names.
std::string isoLocalTime(std::chrono::system_clock::time_point when);
std::string isoNow();
std::string isoHoursAgo(double hours);

// Empty input gives empty output; text that is not ISO is passed through unchanged.
std::string displayFromIso(std::string_view iso);

} // namespace seclog::server
