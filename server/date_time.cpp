#include "date_time.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <ctime>

namespace seclog::server {
namespace {

constexpr std::array<const char *, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool digitsAt(std::string_view text, size_t pos, size_t count) {
    for (size_t i = pos; i < pos + count; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

bool looksIso(std::string_view text) {
    return text.size() == 19 && digitsAt(text, 0, 4) && text[4] == '-' && digitsAt(text, 5, 2) &&
           text[7] == '-' && digitsAt(text, 8, 2) && text[10] == ' ' && digitsAt(text, 11, 2) &&
           text[13] == ':' && digitsAt(text, 14, 2) && text[16] == ':' && digitsAt(text, 17, 2);
}

int numberAt(std::string_view text, size_t pos, size_t count) {
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

std::optional<std::chrono::year_month_day> calendarDay(int year, unsigned month, unsigned day) {
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                           std::chrono::day(day)};
    return date.ok() ? std::optional(date) : std::nullopt;
}

} // namespace

std::string isoLocalTime(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return buffer;
}

std::string isoNow() {
    return isoLocalTime(std::chrono::system_clock::now());
}

std::string isoHoursAgo(double hours) {
    const auto offset = std::chrono::duration_cast<std::chrono::system_clock::duration>(
        std::chrono::duration<double, std::ratio<3600>>(hours));
    return isoLocalTime(std::chrono::system_clock::now() - offset);
}

std::string displayFromIso(std::string_view iso) {
    if (!looksIso(iso))
        return std::string(iso);
    const int month = (iso[5] - '0') * 10 + (iso[6] - '0');
    if (month < 1 || month > 12)
        return std::string(iso);
    std::string shown;
    shown.reserve(20);
    shown.append(iso.substr(8, 2)).append(" ").append(kMonths[static_cast<size_t>(month - 1)]);
    shown.append(" ").append(iso.substr(0, 4)).append(" ").append(iso.substr(11, 8));
    return shown;
}

std::chrono::local_seconds localNow() {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    const std::chrono::year_month_day day{
        std::chrono::year(local.tm_year + 1900),
        std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
        std::chrono::day(static_cast<unsigned>(local.tm_mday))};
    return std::chrono::local_days(day) + std::chrono::hours(local.tm_hour) +
           std::chrono::minutes(local.tm_min) + std::chrono::seconds(local.tm_sec);
}

std::string isoLocalTime(std::chrono::local_seconds when) {
    const auto day = std::chrono::floor<std::chrono::days>(when);
    const std::chrono::hh_mm_ss time(when - day);
    const std::chrono::year_month_day date(day);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02d:%02d:%02d", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()));
    return buffer;
}

std::optional<std::chrono::year_month_day> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || !digitsAt(text, 0, 4) || text[4] != '-' || !digitsAt(text, 5, 2) ||
        text[7] != '-' || !digitsAt(text, 8, 2))
        return std::nullopt;
    return calendarDay(numberAt(text, 0, 4), static_cast<unsigned>(numberAt(text, 5, 2)),
                       static_cast<unsigned>(numberAt(text, 8, 2)));
}

std::optional<std::chrono::year_month_day> parseDayMonthYear(std::string_view text) {
    if (text.size() != 11 || !digitsAt(text, 0, 2) || text[2] != '-' || text[6] != '-' ||
        !digitsAt(text, 7, 4))
        return std::nullopt;
    const auto sameLetters = [&](const char *name) {
        for (size_t i = 0; i < 3; ++i)
            if (std::tolower(static_cast<unsigned char>(text[3 + i])) !=
                std::tolower(static_cast<unsigned char>(name[i])))
                return false;
        return true;
    };
    for (unsigned month = 1; month <= kMonths.size(); ++month)
        if (sameLetters(kMonths[month - 1]))
            return calendarDay(numberAt(text, 7, 4), month,
                               static_cast<unsigned>(numberAt(text, 0, 2)));
    return std::nullopt;
}

std::string isoDate(std::chrono::year_month_day day) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", int(day.year()), unsigned(day.month()),
                  unsigned(day.day()));
    return buffer;
}

} // namespace seclog::server
