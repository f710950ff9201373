#include "procedure_params.h"

#include "request_error.h"

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

std::string likeContains(std::string_view text) {
    std::string pattern = "%";
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            pattern.push_back('\\');
        pattern.push_back(c);
    }
    pattern.push_back('%');
    return pattern;
}

} // namespace seclog::server
