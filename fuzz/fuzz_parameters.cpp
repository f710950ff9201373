// The single-quoted "Parameters" text the employee picker builds by hand, such as
// "[{'BranchCode':'HLV01','SP_Type':'EMPLOYEE_SEARCH'}]", read as the server reads it, and its
// values read as the procedures read their arguments.

#include "fuzzcheck.h"
#include "procedure_params.h"
#include "quoted_parameters.h"
#include "request_error.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using nlohmann::json;
using seclog::server::RequestError;

// The value written back in the picker's notation.
std::string quoted(const json &value) {
    if (value.is_string()) {
        std::string text = "'";
        for (const char c : value.get_ref<const std::string &>()) {
            if (c == '\'' || c == '\\')
                text.push_back('\\');
            text.push_back(c);
        }
        return text + "'";
    }
    const bool object = value.is_object();
    std::string text = object ? "{" : "[";
    bool first = true;
    for (const auto &item : value.items()) {
        if (!first)
            text += ",";
        first = false;
        if (object)
            text += quoted(json(item.key())) + ":";
        text += quoted(item.value());
    }
    return text + (object ? "}" : "]");
}

int depthOf(const json &value) {
    int deepest = 0;
    if (value.is_structured())
        for (const auto &item : value)
            deepest = std::max(deepest, depthOf(item));
    return deepest + (value.is_structured() ? 1 : 0);
}

void readArguments(const json &data) {
    for (const auto &item : data.items()) {
        const std::string text = seclog::server::textParam(data, item.key());
        if (const auto id = seclog::server::positiveId(text))
            fuzzCheck(*id > 0 && text.find_first_not_of("0123456789") == std::string::npos,
                      "an id is a positive decimal number");
        const std::string like = seclog::server::likeContains(text);
        fuzzCheck(like.size() >= text.size() + 2 && like.front() == '%' && like.back() == '%',
                  "a search text is wrapped in wildcards");
        seclog::server::mobileDigits(text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    json parameters;
    try {
        parameters = seclog::server::parseQuotedParameters(text);
    } catch (const RequestError &) {
        return 0;
    }
    fuzzCheck(parameters.is_string() || parameters.is_object() || parameters.is_array(),
              "only texts, objects and lists are read");
    fuzzCheck(depthOf(parameters) <= 17, "nesting is bounded");
    fuzzCheck(seclog::server::parseQuotedParameters(quoted(parameters)) == parameters,
              "the text written back reads the same");
    // What the route accepts: one object, the procedure's arguments, all of them text.
    if (parameters.is_array() && parameters.size() == 1 && parameters[0].is_object()) {
        try {
            readArguments(parameters[0]);
        } catch (const RequestError &) {
            // nested values are refused as arguments
        }
    }
    return 0;
}
