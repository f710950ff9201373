#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace seclog::server {

// Upload folders the client may write to, in the client's spelling (trailing slash).
bool isUploadFolder(std::string_view folder);
// "Security/PersonsImages" and "Security/PersonsImages/" both give the slash form.
std::optional<std::string> normalizedUploadFolder(std::string_view folder);

// Drops any directory part and replaces characters outside [A-Za-z0-9._-] with '_'.
// Returns nullopt when nothing usable is left (empty, or only dots).
std::optional<std::string> sanitizedFileName(std::string_view clientName);

// Maps a client path such as "Security/PersonsImages/a.jpg" to a file inside root;
// nullopt if it would leave root (.., absolute paths, backslashes).
std::optional<std::filesystem::path> resolveStoredFile(const std::filesystem::path &root,
                                                       std::string_view relative);

std::string contentTypeFor(const std::filesystem::path &file);

void writeFile(const std::filesystem::path &file, std::string_view content);

} // namespace seclog::server
