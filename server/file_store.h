#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace seclog::server {

struct UploadFolder {
    std::string name;           // the client's spelling with a trailing slash
    std::filesystem::path path; // where its files go
};

// The folder an upload names ("Security/PersonsImages" or with a trailing slash), checked: a
// relative path without "..", one of the folders the client uploads to, and inside root once
// symbolic links are followed. Anything else is a RequestError saying which rule it breaks.
UploadFolder confinedUploadFolder(const std::filesystem::path &root, std::string_view folder);

// Whether path, once symbolic links are followed, is root or lies below it. path need not
// exist yet; errors count as outside.
bool staysInside(const std::filesystem::path &root, const std::filesystem::path &path);

// Whether the name the client gave an uploaded file is acceptable: one plain name, refused
// when empty, when it holds "..", a slash, a backslash, a colon or a control
// character, or when it is longer than a file name may be.
bool isStorableFileName(std::string_view clientName);

// Maps a client path such as "Security/PersonsImages/a.jpg" to a file inside root;
// nullopt if it would leave root (.., absolute paths, backslashes, symbolic links out).
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
