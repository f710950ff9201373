#include "command_line.h"

#include <charconv>
#include <climits>

namespace seclog::server {
namespace {

std::optional<int> parsePort(const std::string &text) {
    int port = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535)
        return std::nullopt;
    return port;
}

std::optional<int> parseCount(const std::string &text, int most = INT_MAX) {
    int count = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count < 0 || count > most)
        return std::nullopt;
    return count;
}

// Bounds that keep a history seed to seconds: 10 years of 5,000 logs a day is 18 million.
constexpr int kMostHistoryLogsPerDay = 5000;
constexpr int kMostHistoryMonths = 120;
constexpr int kMostOpenLogs = 100000;

} // namespace

std::string usageText() {
    return "usage: seclog-server --db FILE --port N [--host 127.0.0.1] [--files DIR]\n"
           "                     [--demo [--items N] [--history-per-day N] [--history-months N]\n"
           "                             [--open-logs N] [--write-codes DIR]]\n"
           "                     [--app-version V] [--app-link URL]\n"
           "       seclog-server --db FILE [--files DIR] --demo [...] --write-codes DIR\n"
           "                     (without --port: writes the document codes and exits)\n";
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
        } else if (flag == "--history-per-day") {
            options.historyLogsPerDay = parseCount(value, kMostHistoryLogsPerDay);
            if (!options.historyLogsPerDay) {
                result.error = "invalid logs per day: " + value;
                return result;
            }
        } else if (flag == "--history-months") {
            options.historyMonths = parseCount(value, kMostHistoryMonths);
            if (!options.historyMonths) {
                result.error = "invalid month count: " + value;
                return result;
            }
        } else if (flag == "--open-logs") {
            options.openLogs = parseCount(value, kMostOpenLogs);
            if (!options.openLogs) {
                result.error = "invalid open log count: " + value;
                return result;
            }
        } else if (flag == "--write-codes") {
            if (value.empty()) {
                result.error = "--write-codes needs a folder";
                return result;
            }
            options.codesDir = value;
        } else if (flag == "--die-at") {
            // For the tests of retried saves only.
            if (value != "after-save" &&
                !(value.rfind("upload:", 0) == 0 && value.size() > 7 &&
                  value.find_first_not_of("0123456789", 7) == std::string::npos)) {
                result.error = "invalid --die-at: " + value;
                return result;
            }
            options.dieAt = value;
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
    else if (!portGiven && options.codesDir.empty())
        result.error = "--port is required (0 picks a free one)";
    else if (!options.codesDir.empty() && !options.demo)
        result.error = "--write-codes needs --demo";
    else if (options.itemMasterSize && !options.demo)
        result.error = "--items needs --demo";
    else if (options.historyLogsPerDay && !options.demo)
        result.error = "--history-per-day needs --demo";
    else if (options.historyMonths && !options.demo)
        result.error = "--history-months needs --demo";
    else if (options.openLogs && !options.demo)
        result.error = "--open-logs needs --demo";
    else
        result.options = std::move(options);
    result.serve = portGiven;
    return result;
}

} // namespace seclog::server
