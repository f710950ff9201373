#include "server_test_support.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace seclog::server::testing {
namespace {

// Runs the real executable and reads what it prints on stdout.
class ServerBinary : public ::testing::Test {
protected:
    void TearDown() override { stopAndWait(SIGKILL); }

    void start(const std::vector<std::string> &args) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            std::vector<char *> argv = {const_cast<char *>(SECLOG_SERVER_BINARY)};
            for (const auto &arg : args)
                argv.push_back(const_cast<char *>(arg.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        out_ = fdopen(fds[0], "r");
    }

    std::string readLine() {
        char buffer[256] = {};
        return fgets(buffer, sizeof buffer, out_) ? buffer : "";
    }

    int stopAndWait(int signal) {
        int status = -1;
        if (pid_ > 0) {
            kill(pid_, signal);
            waitpid(pid_, &status, 0);
            pid_ = -1;
        }
        if (out_)
            fclose(out_);
        out_ = nullptr;
        return status;
    }

    // Returns the port from the listening line, 0 if the first line is anything else.
    int startListening(const std::vector<std::string> &args) {
        start(args);
        const std::string line = readLine(), prefix = "seclog-server listening on 127.0.0.1:";
        EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
        return line.rfind(prefix, 0) == 0 ? std::stoi(line.substr(prefix.size())) : 0;
    }

    TempDir dir_;
    pid_t pid_ = -1;
    FILE *out_ = nullptr;
};

TEST_F(ServerBinary, PrintsPortServesAndStopsOnSignal) {
    const int port =
        startListening({"--port", "0", "--db", (dir_.path() / "bin.db").string(), "--demo",
                        "--app-version", "2.5", "--app-link", "https://x.test/get"});
    ASSERT_GT(port, 0);
    httplib::Client client("127.0.0.1", port);
    const Reply device =
        toReply(client.Post("/sp",
                            spBody("Usp_CommonService", {{"SP_Type", "Sel_DeviceAndDivision"},
                                                         {"LikeStr", "Gate-1 Handheld"}}),
                            "application/json"));
    EXPECT_EQ(column(device.json, "GateName"), std::vector<std::string>{"Main Gate"});
    EXPECT_EQ(readLine().rfind("POST /sp Usp_CommonService/Sel_DeviceAndDivision 200 ", 0), 0u);

    const Reply version = toReply(client.Post(
        "/sp",
        spBody("USP_tblMAppleAppRights", {{"AppName", "SECURITY IOS 11"}, {"ReqType", "VER"}}),
        "application/json"));
    EXPECT_EQ(version.json, nlohmann::json::array({{{"AppleAppVersion", "2.5"},
                                                    {"HttpLinkURL", "https://x.test/get"}}}));

    const int status = stopAndWait(SIGTERM);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::filesystem::exists(dir_.path() / "bin.db.files/Security/PersonsImages"));
}

TEST_F(ServerBinary, RestartWithDemoDoesNotDuplicateData) {
    const std::string db = (dir_.path() / "again.db").string();
    for (int run = 0; run < 2; ++run) {
        ASSERT_GT(startListening({"--port", "0", "--db", db, "--demo"}), 0);
        EXPECT_EQ(WEXITSTATUS(stopAndWait(SIGINT)), 0);
    }
    ServerOptions options;
    options.dbPath = db;
    options.logRequests = false;
    StandInServer reopened(options);
    httplib::Client client("127.0.0.1", reopened.port());
    const std::string body = spBody("USP_SecurityLogBySearchText_RptSearch",
                                    {{"SearchBy", "MobileIOS"}, {"SearchText", ""}}, false);
    EXPECT_EQ(toReply(client.Post("/sp", body, "application/json")).json.size(), 14u);
}

TEST_F(ServerBinary, BadArgumentsExitWithUsage) {
    const std::string db = (dir_.path() / "x.db").string();
    for (const std::vector<std::string> &args :
         std::vector<std::vector<std::string>>{{"--port", "0"},
                                               {"--db", db, "--port", "70000"},
                                               {"--db", db, "--port", "12ab"},
                                               {"--db", db, "--port", "0", "--bogus", "1"}}) {
        start(args);
        EXPECT_EQ(readLine(), "") << args.back(); // the server would print its listening line
        const int status = stopAndWait(SIGKILL);  // already exited unless it went on serving
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << args.back();
    }
}

} // namespace
} // namespace seclog::server::testing
