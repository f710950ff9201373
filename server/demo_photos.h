#pragma once

#include <filesystem>
#include <string>

namespace seclog::server {

// A small deterministic portrait placeholder (PNG) whose colours depend on seed.
std::string demoPhotoPng(int seed);

// "~/Security/PersonsImages/<fileName>" as the client stores image paths.
std::string clientImagePath(const std::string &fileName);

void writeDemoPhoto(const std::filesystem::path &filesDir, const std::string &fileName, int seed);

} // namespace seclog::server
