#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

namespace seclog::server {

// Reads the single-quoted JSON-like text one picker hand-builds, such as
// "[{'BranchCode':'HLV01','SP_Type':'EMPLOYEE_SEARCH'}]". Accepts only strings in single
// quotes (escapes \' and \\), objects, arrays, commas, colons and blanks between them; anything
// else is a RequestError. Strings stay strings: no numbers, booleans or null.
nlohmann::json parseQuotedParameters(std::string_view text);

} // namespace seclog::server
