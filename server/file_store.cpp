#include "file_store.h"

#include "request_error.h"
#include "sodium_wrappers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace seclog::server {
namespace {

constexpr std::array<std::string_view, 2> kUploadFolders = {"Security/PersonsImages/",
                                                            "Security/SecLogDetails_Bill/"};

bool urlSafeNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

std::string lowerTrimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    std::string result(first == std::string_view::npos ? std::string_view()
                                                       : text.substr(first, last - first + 1));
    for (char &c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

// 64 random bits in hex from the system's CSPRNG: stored files are served to anyone who knows
// the name, so names must not be guessable from earlier ones.
std::string randomSuffix() {
    return hexText(randomBytes(8));
}

bool climbsUp(std::string_view folder) {
    size_t start = 0;
    while (start <= folder.size()) {
        const size_t end = std::min(folder.find_first_of("/\\", start), folder.size());
        if (folder.substr(start, end - start) == "..")
            return true;
        start = end + 1;
    }
    return false;
}

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

} // namespace

UploadFolder confinedUploadFolder(const std::filesystem::path &root, std::string_view folder) {
    if (folder.empty())
        throw RequestError("folder is missing");
    if (folder.front() == '/' || folder.front() == '\\' || folder.find(':') != std::string::npos)
        throw RequestError("folder must be a path relative to the upload root");
    if (climbsUp(folder))
        throw RequestError("folder may not contain \"..\"");
    std::string name(folder);
    if (name.back() != '/')
        name.push_back('/');
    if (std::find(kUploadFolders.begin(), kUploadFolders.end(), name) == kUploadFolders.end())
        throw RequestError(
            "folder must be Security/PersonsImages/ or Security/SecLogDetails_Bill/");
    std::filesystem::path path = root / name;
    if (!staysInside(root, path))
        throw RequestError("folder leads out of the upload root through a symbolic link");
    return {std::move(name), std::move(path)};
}

bool staysInside(const std::filesystem::path &root, const std::filesystem::path &path) {
    std::error_code error;
    const std::filesystem::path realRoot = std::filesystem::canonical(root, error);
    if (error)
        return false;
    const std::filesystem::path realPath = std::filesystem::weakly_canonical(path, error);
    if (error)
        return false;
    const std::filesystem::path relative = realPath.lexically_relative(realRoot);
    return !relative.empty() && *relative.begin() != "..";
}

bool isStorableFileName(std::string_view clientName) {
    constexpr size_t kMaxNameBytes = 200;
    if (clientName.empty() || clientName.size() > kMaxNameBytes || clientName == "." ||
        clientName.find("..") != std::string_view::npos)
        return false;
    for (char c : clientName)
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    return true;
}

std::optional<std::filesystem::path> resolveStoredFile(const std::filesystem::path &root,
                                                       std::string_view relative) {
    if (relative.empty() || relative.front() == '/' ||
        relative.find('\\') != std::string_view::npos ||
        relative.find('\0') != std::string_view::npos)
        return std::nullopt;
    std::filesystem::path result = root;
    for (const auto &part : std::filesystem::path(relative)) {
        if (part == ".." || part == "." || part.empty())
            return std::nullopt;
        result /= part;
    }
    if (!staysInside(root, result))
        return std::nullopt;
    return result;
}

std::string contentTypeFor(const std::filesystem::path &file) {
    std::string ext = file.extension().string();
    for (char &c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".jpg" || ext == ".jpeg")
        return "image/jpeg";
    if (ext == ".png")
        return "image/png";
    if (ext == ".gif")
        return "image/gif";
    if (ext == ".bmp")
        return "image/bmp";
    if (ext == ".pdf")
        return "application/pdf";
    return "application/octet-stream";
}

void writeFile(const std::filesystem::path &file, std::string_view content) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string extensionForContentType(std::string_view contentType) {
    const std::string type = lowerTrimmed(contentType.substr(0, contentType.find(';')));
    if (type == "image/jpeg")
        return ".jpg";
    if (type == "image/png")
        return ".png";
    return "";
}

std::string storedUploadName(std::string_view clientName, std::string_view suffix,
                             std::string_view contentType) {
    std::string name;
    for (char c : clientName) {
        if (urlSafeNameChar(c))
            name.push_back(c);
        else if (name.empty() || name.back() != '_')
            name.push_back('_');
    }
    name.push_back('_');
    name.append(suffix);
    name += extensionForContentType(contentType);
    return name;
}

std::string writeNewUpload(const std::filesystem::path &folder, std::string_view clientName,
                           std::string_view contentType, std::string_view content) {
    std::filesystem::create_directories(folder);
    // "x" creates the file or fails if it exists, so even a repeated suffix replaces nothing.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string name = storedUploadName(clientName, randomSuffix(), contentType);
        const std::filesystem::path file = folder / name;
        std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.c_str(), "wbx"));
        if (!out) {
            if (errno == EEXIST)
                continue;
            throw std::runtime_error("cannot create " + file.string());
        }
        const bool written =
            std::fwrite(content.data(), 1, content.size(), out.get()) == content.size() &&
            std::fclose(out.release()) == 0;
        if (!written) {
            std::error_code ignored;
            std::filesystem::remove(file, ignored);
            throw std::runtime_error("cannot write " + file.string());
        }
        return name;
    }
    throw std::runtime_error("no free file name in " + folder.string());
}

} // namespace seclog::server
