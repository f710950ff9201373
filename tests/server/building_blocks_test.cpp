#include "command_line.h"
#include "date_time.h"
#include "file_store.h"
#include "procedure_params.h"
#include "procedure_registry.h"
#include "request_error.h"

#include <gtest/gtest.h>

namespace seclog::server {
namespace {

TEST(DateTime, IsoBecomesClientPattern) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2026-12-06 14:05:09", "06 Dec 2026 14:05:09"},
        {"2025-01-31 00:00:00", "31 Jan 2025 00:00:00"},
        {"2024-02-29 23:59:59", "29 Feb 2024 23:59:59"},
        {"2024-09-01 08:30:00", "01 Sep 2024 08:30:00"},
        {"", ""},
        {"2024-13-01 08:30:00", "2024-13-01 08:30:00"}, // not a month: left alone
        {"yesterday", "yesterday"},
    };
    for (const auto &[iso, shown] : cases)
        EXPECT_EQ(displayFromIso(iso), shown) << iso;
}

TEST(DateTime, HoursAgoIsEarlierAndSortsAsText) {
    const std::string now = isoNow();
    EXPECT_LT(isoHoursAgo(48), now);
    EXPECT_EQ(isoHoursAgo(0).size(), 19u);
}

TEST(FileStore, SanitizesClientFileNames) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"photo.jpg", "photo.jpg"},
        {"../../etc/passwd", "passwd"},
        {"C:\\Users\\x\\img 1.jpg", "img_1.jpg"},
        {"a;rm -rf.jpg", "a_rm_-rf.jpg"},
        {"..", std::nullopt},
        {"dir/", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &[input, expected] : cases)
        EXPECT_EQ(sanitizedFileName(input), expected) << input;
}

TEST(FileStore, OnlyKnownUploadFolders) {
    EXPECT_EQ(normalizedUploadFolder("Security/PersonsImages/"), "Security/PersonsImages/");
    EXPECT_EQ(normalizedUploadFolder("Security/SecLogDetails_Bill"),
              "Security/SecLogDetails_Bill/");
    EXPECT_EQ(normalizedUploadFolder("Security/"), std::nullopt);
    EXPECT_EQ(normalizedUploadFolder("Security/PersonsImages/../../"), std::nullopt);
}

TEST(FileStore, StoredPathsStayInsideRoot) {
    const std::filesystem::path root = "/data/files";
    EXPECT_EQ(resolveStoredFile(root, "Security/PersonsImages/a.png"),
              root / "Security/PersonsImages/a.png");
    for (const char *bad : {"../x", "Security/../../x", "/etc/passwd", "a\\..\\b", "", "./a"})
        EXPECT_EQ(resolveStoredFile(root, bad), std::nullopt) << bad;
}

TEST(ProcedureParams, TextFromAnyScalar) {
    const nlohmann::json data = {{"s", "x"}, {"n", 12}, {"b", true}, {"z", nullptr}, {"o", {1}}};
    EXPECT_EQ(textParam(data, "s"), "x");
    EXPECT_EQ(textParam(data, "n"), "12");
    EXPECT_EQ(textParam(data, "b"), "true");
    EXPECT_EQ(textParam(data, "z"), "");
    EXPECT_EQ(textParam(data, "missing"), "");
    EXPECT_THROW(textParam(data, "o"), RequestError);
    EXPECT_THROW(requiredText(data, "missing"), RequestError);
    EXPECT_EQ(textParam(data, {"S", "s"}), "x");
}

TEST(ProcedureParams, LikePatternEscapesWildcards) {
    EXPECT_EQ(likeContains("ab"), "%ab%");
    EXPECT_EQ(likeContains("50%_\\"), "%50\\%\\_\\\\%");
}

TEST(ProcedureRegistry, FindsBySelectorAndRejectsUnknown) {
    ProcedureRegistry registry;
    registry.add("Plain", [](ProcedureContext &, const nlohmann::json &) {
        return nlohmann::json::array({1});
    });
    registry.add("Multi", "Kind", "A", [](ProcedureContext &, const nlohmann::json &) {
        return nlohmann::json::array({2});
    });
    EXPECT_NO_THROW(registry.find("Plain", nlohmann::json::object()));
    EXPECT_NO_THROW(registry.find("Multi", {{"Kind", "A"}}));
    EXPECT_THROW(registry.find("Multi", {{"Kind", "B"}}), RequestError);
    EXPECT_THROW(registry.find("Multi", {{"Kind", 1}}), RequestError);
    EXPECT_THROW(registry.find("Other", nlohmann::json::object()), RequestError);
    EXPECT_EQ(registry.describe("Multi", {{"Kind", "A"}}), "Multi/A");
    EXPECT_THROW(registry.add("Multi", "Other", "X", {}), std::logic_error);
    EXPECT_THROW(registry.add("Multi", "Kind", "A", {}), std::logic_error);
    EXPECT_THROW(registry.add("Plain", {}), std::logic_error);
}

struct CommandLineCase {
    std::vector<std::string> args;
    bool accepted;
};

class CommandLineParsing : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineParsing, AcceptsOnlyCompleteOptions) {
    const CommandLine parsed = parseCommandLine(GetParam().args);
    EXPECT_EQ(parsed.options.has_value(), GetParam().accepted) << parsed.error;
    EXPECT_EQ(parsed.error.empty(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParsing,
    ::testing::Values(CommandLineCase{{"--db", "x.db", "--port", "0"}, true},
                      CommandLineCase{{"--db", "x.db", "--port", "8080", "--demo", "--host",
                                       "0.0.0.0", "--files", "f", "--app-version", "2",
                                       "--app-link", "u"},
                                      true},
                      CommandLineCase{{"--port", "0"}, false},
                      CommandLineCase{{"--db", "x.db"}, false},
                      CommandLineCase{{"--db", "x.db", "--port", "70000"}, false},
                      CommandLineCase{{"--db", "x.db", "--port", "12ab"}, false},
                      CommandLineCase{{"--db", "x.db", "--port"}, false},
                      CommandLineCase{{"--db", "x.db", "--port", "0", "--bogus", "1"}, false}));

TEST(CommandLine, FillsOptions) {
    const auto parsed = parseCommandLine({"--db", "x.db", "--port", "8080", "--demo",
                                          "--app-version", "2.1", "--app-link", "http://l"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->dbPath, "x.db");
    EXPECT_EQ(parsed.options->port, 8080);
    EXPECT_TRUE(parsed.options->demo);
    EXPECT_EQ(parsed.options->host, "127.0.0.1");
    EXPECT_EQ(parsed.options->appVersion, "2.1");
    EXPECT_EQ(parsed.options->appLink, "http://l");
    EXPECT_TRUE(parseCommandLine({"--help"}).helpRequested);
}

} // namespace
} // namespace seclog::server
