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

// Whether the name the client gave an uploaded file is acceptable: one plain name, refused
// when empty, when it holds "..", a slash, a backslash, a colon or a control
// character, or when it is longer than a file name may be.
bool isStorableFileName(std::string_view clientName);

// Maps a client path such as "Security/PersonsImages/a.jpg" to a file inside root;
// nullopt if it would leave root (.., absolute paths, backslashes).
std::optional<std::filesystem::path> resolveStoredFile(const std::filesystem::path &root,
                                                       std::string_view relative);

std::string contentTypeFor(const std::filesystem::path &file);

void writeFile(const std::filesystem::path &file, std::string_view content);

// ".jpg" for image/jpeg, ".png" for image/png (parameters and case ignored), else "".
std::string extensionForContentType(std::string_view contentType);

// The name an upload is stored under: "<client name>_<suffix><extension>". Runs of bytes other
// than letters, digits, '.', '_' and '-' in the client's name become one '_', so the stored
// path works as a URL as it is.
std::string storedUploadName(std::string_view clientName, std::string_view suffix,
                             std::string_view contentType);

// Writes an upload as a new file in folder under storedUploadName with a random suffix and
// returns that name. An existing file is never replaced: clients reuse names ("1", "0"...).
std::string writeNewUpload(const std::filesystem::path &folder, std::string_view clientName,
                           std::string_view contentType, std::string_view content);

} // namespace seclog::server
