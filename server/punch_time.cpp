#include "punch_time.h"

#include "date_time.h"

namespace seclog::server {

std::string punchDisplayTime(std::string_view iso) {
    // displayFromIso checks the shape and gives "dd MMM yyyy HH:mm:ss".
    const std::string shown = displayFromIso(iso);
    if (shown.size() != 20 || shown == iso)
        return shown;
    const int hour = (shown[12] - '0') * 10 + (shown[13] - '0');
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    std::string text = shown.substr(0, 12);
    text.push_back(static_cast<char>('0' + hour12 / 10));
    text.push_back(static_cast<char>('0' + hour12 % 10));
    text.append(shown.substr(14, 3)).append(hour < 12 ? " AM" : " PM");
    return text;
}

} // namespace seclog::server
