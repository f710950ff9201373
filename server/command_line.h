#pragma once

#include "seclogserver/stand_in_server.h"

#include <optional>
#include <string>
#include <vector>

namespace seclog::server {

struct CommandLine {
    std::optional<ServerOptions> options; // set when the arguments are usable
    std::string error;                    // set otherwise
    bool helpRequested = false;
    // False for --write-codes without --port: write the codes and exit.
    bool serve = true;
};

CommandLine parseCommandLine(const std::vector<std::string> &args);
std::string usageText();

} // namespace seclog::server
