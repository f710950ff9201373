#include "command_line.h"
#include "seclogserver/stand_in_server.h"

#include <csignal>
#include <iostream>
#include <pthread.h>

using namespace seclog::server;

int main(int argc, char **argv) {
    const CommandLine commandLine = parseCommandLine({argv + 1, argv + argc});
    if (commandLine.helpRequested) {
        std::cout << usageText();
        return 0;
    }
    if (!commandLine.options) {
        std::cerr << "seclog-server: " << commandLine.error << "\n" << usageText();
        return 2;
    }

    const ServerOptions &options = *commandLine.options;
    if (!commandLine.serve) {
        try {
            const std::size_t count = writeDocumentCodes(options);
            std::cout << "seclog-server wrote " << count << " document codes to "
                      << (options.codesDir / "codes.json").string() << std::endl;
        } catch (const std::exception &error) {
            std::cerr << "seclog-server: " << error.what() << "\n";
            return 1;
        }
        return 0;
    }

    // Block the stop signals before any thread starts, then wait for them here, so
    // shutdown runs in normal code rather than in a signal handler.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        StandInServer server(options);
        std::cout << "seclog-server listening on " << options.host << ":" << server.port()
                  << std::endl;
        if (!options.codesDir.empty())
            std::cout << "seclog-server wrote the document codes to "
                      << (options.codesDir / "codes.json").string() << std::endl;
        int signal = 0;
        sigwait(&stopSignals, &signal);
        std::cout << "seclog-server stopping (signal " << signal << ")" << std::endl;
        server.stop();
    } catch (const std::exception &error) {
        std::cerr << "seclog-server: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
