#include "procedure_params.h"

#include "request_error.h"

#include <charconv>

namespace seclog::server {

std::string textParam(const nlohmann::json &data, std::string_view key) {
    if (!data.is_object())
        return {};
    const auto it = data.find(key);
    if (it == data.end() || it->is_null())
        return {};
    if (it->is_string())
        return it->get<std::string>();
    if (it->is_number() || it->is_boolean())
        return it->dump();
    throw RequestError("parameter " + std::string(key) + " must be text");
}

std::string textParam(const nlohmann::json &data, std::initializer_list<std::string_view> keys) {
    for (std::string_view key : keys)
        if (data.is_object() && data.contains(key))
            return textParam(data, key);
    return {};
}

std::string requiredText(const nlohmann::json &data, std::string_view key) {
    std::string value = textParam(data, key);
    if (value.empty())
        throw RequestError("missing parameter " + std::string(key));
    return value;
}

std::optional<std::int64_t> positiveId(std::string_view text) {
    std::int64_t id = 0;
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size() || id <= 0)
        return std::nullopt;
    return id;
}

std::int64_t positiveIdParam(const nlohmann::json &data, std::string_view key) {
    const auto it = data.is_object() ? data.find(key) : data.end();
    std::optional<std::int64_t> id;
    if (it != data.end() && it->is_number_integer() && it->get<std::int64_t>() > 0)
        id = it->get<std::int64_t>();
    else if (it != data.end() && it->is_string())
        id = positiveId(it->get<std::string>());
    if (!id)
        throw RequestError("parameter " + std::string(key) + " must be a positive id");
    return *id;
}

std::string mobileDigits(std::string_view mobile) {
    std::string digits;
    for (char c : mobile)
        if (c != ' ' && c != '-')
            digits.push_back(c);
    return digits;
}

std::string likeStartsWith(std::string_view text) {
    // SQLite refuses LIKE patterns over 50,000 bytes; no name or number searched is near this.
    if (text.size() > kMaxSearchTextBytes)
        throw RequestError("search text longer than " + std::to_string(kMaxSearchTextBytes) +
                           " bytes");
    std::string pattern;
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            pattern.push_back('\\');
        pattern.push_back(c);
    }
    pattern.push_back('%');
    return pattern;
}

std::string likeContains(std::string_view text) {
    return "%" + likeStartsWith(text);
}

} // namespace seclog::server
