#include "server_test_support.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace seclog::server::testing {
namespace {

// Runs the real executable with --port 0 and reads the port from its first line.
class ServerBinary : public ::testing::Test {
protected:
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_)
            fclose(out_);
    }

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
        kill(pid_, signal);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

    TempDir dir_;
    pid_t pid_ = -1;
    FILE *out_ = nullptr;
};

TEST_F(ServerBinary, PrintsPortServesAndStopsOnSignal) {
    start({"--db", (dir_.path() / "bin.db").string(), "--port", "0", "--demo"});
    const std::string line = readLine();
    const std::string prefix = "seclog-server listening on 127.0.0.1:";
    ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
    const int port = std::stoi(line.substr(prefix.size()));
    ASSERT_GT(port, 0);

    httplib::Client client("127.0.0.1", port);
    const nlohmann::json body = {
        {"SPName", "Usp_CommonService"},
        {"JSONData", {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", "Gate-1 Handheld"}}},
        {"withStrings", true}};
    const Reply reply = toReply(client.Post("/sp", body.dump(), "application/json"));
    ASSERT_EQ(reply.json.size(), 1u);
    EXPECT_EQ(reply.json[0]["GateName"], "Main Gate");
    EXPECT_EQ(readLine().rfind("POST /sp Usp_CommonService/Sel_DeviceAndDivision 200 ", 0), 0u);

    const int status = stopAndWait(SIGTERM);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::filesystem::exists(dir_.path() / "bin.db.files/Security/PersonsImages"));
}

TEST_F(ServerBinary, RestartWithDemoDoesNotDuplicateData) {
    const std::string db = (dir_.path() / "again.db").string();
    for (int run = 0; run < 2; ++run) {
        start({"--db", db, "--port", "0", "--demo"});
        ASSERT_NE(readLine().find("listening on"), std::string::npos);
        EXPECT_EQ(WEXITSTATUS(stopAndWait(SIGINT)), 0);
        fclose(out_);
        out_ = nullptr;
    }
    DemoServer probe; // compare against a single demo load
    ServerOptions options;
    options.dbPath = db;
    options.logRequests = false;
    StandInServer reopened(options);
    httplib::Client client("127.0.0.1", reopened.port());
    const nlohmann::json body = {{"SPName", "USP_SecurityLogBySearchText_RptSearch"},
                                 {"JSONData", {{"SearchBy", "MobileIOS"}, {"SearchText", ""}}}};
    EXPECT_EQ(toReply(client.Post("/sp", body.dump(), "application/json")).json.size(), 14u);
}

TEST_F(ServerBinary, BadArgumentsExitWithUsage) {
    start({"--port", "0"});
    EXPECT_EQ(readLine(), "");
    const int status = stopAndWait(0); // already exiting; signal 0 only probes
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

} // namespace
} // namespace seclog::server::testing
