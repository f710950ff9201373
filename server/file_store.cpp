#include "file_store.h"

#include <array>
#include <fstream>
#include <stdexcept>

namespace seclog::server {
namespace {

constexpr std::array<std::string_view, 2> kUploadFolders = {"Security/PersonsImages/",
                                                            "Security/SecLogDetails_Bill/"};

bool allowedNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

} // namespace

bool isUploadFolder(std::string_view folder) {
    for (std::string_view allowed : kUploadFolders)
        if (folder == allowed)
            return true;
    return false;
}

std::optional<std::string> normalizedUploadFolder(std::string_view folder) {
    std::string withSlash(folder);
    if (withSlash.empty() || withSlash.back() != '/')
        withSlash.push_back('/');
    if (!isUploadFolder(withSlash))
        return std::nullopt;
    return withSlash;
}

std::optional<std::string> sanitizedFileName(std::string_view clientName) {
    const size_t slash = clientName.find_last_of("/\\");
    if (slash != std::string_view::npos)
        clientName.remove_prefix(slash + 1);
    std::string name;
    for (char c : clientName)
        name.push_back(allowedNameChar(c) ? c : '_');
    if (name.find_first_not_of('.') == std::string::npos)
        return std::nullopt;
    return name;
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

} // namespace seclog::server
