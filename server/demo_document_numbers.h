#pragma once

#include <string>
#include <string_view>

namespace seclog::server {

// "<prefix>/<financial year>/<number>" as the company numbers its documents, "DC/SPN/26-27/0142":
// numbers run within a financial year, April to March. isoDate is "yyyy-MM-dd...".
std::string financialYearCode(std::string_view prefix, std::string_view isoDate, int number);

// A believable quantity from least to least + span - 1 that seed picks, with a half or a
// quarter when the item shows decimals (binary fractions, so the number prints as written).
double demoQuantity(int seed, int decimals, int least, int span);

} // namespace seclog::server
