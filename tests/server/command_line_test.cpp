// The demo's size options and the listening address on the command line: the sizes only with
// --demo, and loopback unless another host is named (a stand-in with demo passwords must not
// be reachable from the network by accident).

#include "command_line.h"

#include <gtest/gtest.h>

namespace seclog::server {
namespace {

struct ArgsCase {
    std::vector<std::string> extra; // after "--db x.db --port 0"
    std::string error;              // "": accepted with the values below
    std::optional<int> items = {}, perDay = {}, months = {}, openLogs = {};
    std::string host = "127.0.0.1";
};

TEST(CommandLine, TakesDemoSizesOnlyWithTheDemoAndListensOnLoopbackUnlessTold) {
    const std::vector<ArgsCase> cases = {
        {{}, ""},
        {{"--demo"}, ""},
        {{"--host", "0.0.0.0"}, "", {}, {}, {}, {}, "0.0.0.0"},
        {{"--demo", "--items", "50000"}, "", 50000},
        {{"--demo", "--items", "-1"}, "invalid item count: -1"},
        {{"--items", "10"}, "--items needs --demo"},
        {{"--demo", "--items"}, "missing value after --items"},
        {{"--demo", "--history-per-day", "300", "--history-months", "12"}, "", {}, 300, 12},
        {{"--demo", "--history-per-day", "5001"}, "invalid logs per day: 5001"},
        {{"--demo", "--history-months", "121"}, "invalid month count: 121"},
        {{"--history-per-day", "10"}, "--history-per-day needs --demo"},
        {{"--demo", "--open-logs", "10000"}, "", {}, {}, {}, 10000},
        {{"--demo", "--open-logs", "100001"}, "invalid open log count: 100001"},
        {{"--open-logs", "500"}, "--open-logs needs --demo"},
    };
    for (const ArgsCase &c : cases) {
        std::vector<std::string> args = {"--db", "x.db", "--port", "0"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        SCOPED_TRACE(c.extra.empty() ? "no more arguments" : c.extra.back());
        const CommandLine parsed = parseCommandLine(args);
        EXPECT_EQ(parsed.error, c.error);
        ASSERT_EQ(parsed.options.has_value(), c.error.empty());
        if (parsed.options) {
            EXPECT_EQ(parsed.options->itemMasterSize, c.items);
            EXPECT_EQ(parsed.options->historyLogsPerDay, c.perDay);
            EXPECT_EQ(parsed.options->historyMonths, c.months);
            EXPECT_EQ(parsed.options->openLogs, c.openLogs);
            EXPECT_EQ(parsed.options->host, c.host);
        }
    }
}

} // namespace
} // namespace seclog::server
