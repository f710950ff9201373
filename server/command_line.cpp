#include "command_line.h"

#include <charconv>

namespace seclog::server {
namespace {

std::optional<int> parsePort(const std::string &text) {
    int port = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535)
        return std::nullopt;
    return port;
}

std::optional<int> parseCount(const std::string &text) {
    int count = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count < 0)
        return std::nullopt;
    return count;
}

} // namespace

std::string usageText() {
    return "usage: seclog-server --db FILE --port N [--demo [--items N]] [--host 127.0.0.1]\n"
           "                     [--files DIR] [--app-version V] [--app-link URL]\n";
}

CommandLine parseCommandLine(const std::vector<std::string> &args) {
    CommandLine result;
    ServerOptions options;
    bool portGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &flag = args[i];
        if (flag == "--help" || flag == "-h") {
            result.helpRequested = true;
            return result;
        }
        if (flag == "--demo") {
            options.demo = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            result.error = "missing value after " + flag;
            return result;
        }
        const std::string &value = args[++i];
        if (flag == "--db") {
            options.dbPath = value;
        } else if (flag == "--port") {
            const auto port = parsePort(value);
            if (!port) {
                result.error = "invalid port: " + value;
                return result;
            }
            options.port = *port;
            portGiven = true;
        } else if (flag == "--items") {
            options.itemMasterSize = parseCount(value);
            if (!options.itemMasterSize) {
                result.error = "invalid item count: " + value;
                return result;
            }
        } else if (flag == "--host") {
            options.host = value;
        } else if (flag == "--files") {
            options.filesDir = value;
        } else if (flag == "--app-version") {
            options.appVersion = value;
        } else if (flag == "--app-link") {
            options.appLink = value;
        } else {
            result.error = "unknown option: " + flag;
            return result;
        }
    }
    if (options.dbPath.empty())
        result.error = "--db is required";
    else if (!portGiven)
        result.error = "--port is required (0 picks a free one)";
    else if (options.itemMasterSize && !options.demo)
        result.error = "--items needs --demo";
    else
        result.options = std::move(options);
    return result;
}

} // namespace seclog::server
