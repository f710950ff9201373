#include "date_time.h"

#include <array>
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

} // namespace seclog::server
