// start: a guard starts the client with a session saved from an earlier login, and the open
// logs of the division come back as a 500-row reply from the stand-in server. Measured: the
// time from starting the process to the first frame that shows the list with all its rows
// (bench_list_client). Baseline, in the same run: a bare Qt Quick program that reads the same
// texts from a file and shows them in a plain 500-row ListView (bench_list_bare). Both run
// offscreen, alternately, after one start of each to warm the disk cache.
//
// Ratio: the client's median start over the bare program's. Target 1.5.

#include "listsite.h"

#include <cstdio>
#include <QGuiApplication>
#include <vector>

namespace {

constexpr int openLogs = 500;
constexpr int starts = 7;
constexpr double target = 1.5;

} // namespace

int main(int argc, char **argv) {
    BenchSupport::useOffscreenUnlessNamed();
    ListSite site("start", openLogs);
    QGuiApplication app(argc, argv);
    BenchSupport::printFiguresOnly();
    if (!site.open())
        return 1;
    const QStringList rows{QStringLiteral("--rows"), QString::number(site.rows())};
    const QStringList bareArguments =
        QStringList{QStringLiteral("--texts"), site.textsFile()} + rows;
    std::vector<double> client, bare;
    for (int i = 0; i <= starts; ++i) {
        const auto clientRun = site.run(QStringLiteral("bench_list_client"), rows, "shown");
        const auto bareRun = site.run(QStringLiteral("bench_list_bare"), bareArguments, "shown");
        if (!clientRun || !bareRun) {
            std::printf("start: failed: the %s did not show the list\n",
                        clientRun ? "bare program" : "client");
            return 1;
        }
        std::printf("start: %s client %.0f ms, bare list %.0f ms\n", i == 0 ? "warm-up" : "run",
                    clientRun->ms, bareRun->ms);
        if (i > 0) {
            client.push_back(clientRun->ms);
            bare.push_back(bareRun->ms);
        }
    }
    site.server().stop();
    const double clientMs = BenchSupport::median(client);
    const double bareMs = BenchSupport::median(bare);
    std::printf("start: %d rows, median of %d starts to the list drawn: client %.0f ms, bare "
                "Qt Quick list %.0f ms: ratio %.2f (target %.2f)\n",
                site.rows(), starts, clientMs, bareMs, clientMs / std::max(bareMs, 1.0), target);
    return 0;
}
