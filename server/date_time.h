#pragma once

#include <chrono>
#include <optional>
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

// The wall clock of this machine, for data laid out by calendar day.
std::chrono::local_seconds localNow();
std::string isoLocalTime(std::chrono::local_seconds when);

// "yyyy-MM-dd" of a real calendar day; nullopt for anything else.
std::optional<std::chrono::year_month_day> parseIsoDate(std::string_view text);
// "dd-MMM-yyyy" with an English month abbreviation in any case ("05-Dec-2026", "05-DEC-2026").
std::optional<std::chrono::year_month_day> parseDayMonthYear(std::string_view text);
std::string isoDate(std::chrono::year_month_day day);

} // namespace seclog::server
