// The server listens on the loopback interface unless told otherwise: a stand-in with demo
// passwords must not be reachable from the network by accident.

#include "demo_server.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

namespace seclog::server::testing {
namespace {

// An IPv4 address of this machine other than loopback; "" when it has none.
std::string otherLocalAddress() {
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0)
        return "";
    std::string found;
    for (const ifaddrs *entry = list; entry && found.empty(); entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET)
            continue;
        const in_addr address = reinterpret_cast<const sockaddr_in *>(entry->ifa_addr)->sin_addr;
        char text[INET_ADDRSTRLEN] = {};
        if ((ntohl(address.s_addr) >> 24) != 127 && inet_ntop(AF_INET, &address, text, sizeof text))
            found = text;
    }
    freeifaddrs(list);
    return found;
}

struct ListenCase {
    std::string name;
    std::optional<std::string> host; // nullopt: the default
    bool reachableFromOtherAddress;
};

class Listening : public ::testing::TestWithParam<ListenCase> {};

TEST_P(Listening, AnswersOnLoopbackAndElsewhereOnlyWhenAsked) {
    const std::string other = otherLocalAddress();
    if (other.empty())
        GTEST_SKIP() << "this machine has no address besides loopback";
    TempDir dir;
    ServerOptions options;
    options.dbPath = dir.path / "listen.db";
    options.logRequests = false;
    if (GetParam().host)
        options.host = *GetParam().host;
    StandInServer server(options);
    const auto reachable = [&](const std::string &address) {
        httplib::Client client(address, server.port());
        client.set_connection_timeout(2);
        const auto reply = client.Get("/standin/identity");
        return reply && reply->status == 200;
    };
    EXPECT_TRUE(reachable("127.0.0.1"));
    EXPECT_EQ(reachable(other), GetParam().reachableFromOtherAddress) << other;
}

INSTANTIATE_TEST_SUITE_P(Hosts, Listening,
                         ::testing::Values(ListenCase{"Default", std::nullopt, false},
                                           ListenCase{"AllInterfaces", "0.0.0.0", true}),
                         [](const auto &info) { return info.param.name; });

} // namespace
} // namespace seclog::server::testing
