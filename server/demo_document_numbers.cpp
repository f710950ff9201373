#include "demo_document_numbers.h"

#include <array>
#include <cstdio>

namespace seclog::server {

std::string financialYearCode(std::string_view prefix, std::string_view isoDate, int number) {
    const int year = std::stoi(std::string(isoDate.substr(0, 4)));
    const int startYear = std::stoi(std::string(isoDate.substr(5, 2))) >= 4 ? year : year - 1;
    char code[24];
    std::snprintf(code, sizeof code, "/%02d-%02d/%04d", startYear % 100, (startYear + 1) % 100,
                  number);
    return std::string(prefix) + code;
}

double demoQuantity(int seed, int decimals, int least, int span) {
    const double whole = least + (seed * 37) % span;
    if (decimals <= 0 || seed % 2 == 0)
        return whole;
    constexpr std::array kFractions = {0.5, 0.25, 0.75};
    return whole + kFractions[static_cast<size_t>(seed) % (decimals == 1 ? 1 : kFractions.size())];
}

} // namespace seclog::server
