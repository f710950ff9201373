#include "png_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace seclog::server {
namespace {

std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void appendBigEndian(std::string &out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xff));
}

void appendChunk(std::string &out, std::string_view type, std::string_view payload) {
    appendBigEndian(out, static_cast<std::uint32_t>(payload.size()));
    std::string typed(type);
    typed.append(payload);
    out.append(typed);
    appendBigEndian(out, crc32(typed));
}

std::string zlibStored(std::string_view raw) {
    std::string out = {'\x78', '\x01'};
    size_t offset = 0;
    do {
        const size_t length = std::min<size_t>(raw.size() - offset, 65535);
        const bool last = offset + length == raw.size();
        out.push_back(last ? '\x01' : '\x00');
        const auto len16 = static_cast<std::uint16_t>(length);
        const auto nlen16 = static_cast<std::uint16_t>(~len16);
        out.push_back(static_cast<char>(len16 & 0xff));
        out.push_back(static_cast<char>(len16 >> 8));
        out.push_back(static_cast<char>(nlen16 & 0xff));
        out.push_back(static_cast<char>(nlen16 >> 8));
        out.append(raw.substr(offset, length));
        offset += length;
    } while (offset < raw.size());
    appendBigEndian(out, adler32(raw));
    return out;
}

// bitDepth and colourType as the IHDR chunk has them; scanlines already carry their filter
// bytes.
std::string pngFile(int width, int height, char bitDepth, char colourType,
                    const std::string &scanlines) {
    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header += {bitDepth, colourType, '\x00', '\x00', '\x00'}; // no interlace

    std::string png = "\x89PNG\r\n\x1a\n";
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", zlibStored(scanlines));
    appendChunk(png, "IEND", "");
    return png;
}

} // namespace

std::uint32_t crc32(std::string_view data) {
    static const auto table = makeCrcTable();
    std::uint32_t c = 0xffffffffu;
    for (unsigned char byte : data)
        c = table[(c ^ byte) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

std::uint32_t adler32(std::string_view data) {
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::string encodePng(int width, int height, const std::vector<std::uint8_t> &rgb) {
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3)
        throw std::invalid_argument("encodePng: pixel buffer does not match the size");
    std::string scanlines;
    const size_t stride = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        scanlines.push_back('\0'); // filter: none
        scanlines.append(reinterpret_cast<const char *>(rgb.data()) + y * stride, stride);
    }
    return pngFile(width, height, '\x08', '\x02', scanlines); // 8-bit RGB
}

std::string encodeBlackWhitePng(int width, int height, const std::vector<bool> &black) {
    if (width <= 0 || height <= 0 ||
        black.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        throw std::invalid_argument("encodeBlackWhitePng: pixel flags do not match the size");
    std::string scanlines;
    const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
    for (int y = 0; y < height; ++y) {
        scanlines.push_back('\0'); // filter: none
        std::string row(rowBytes, '\0');
        for (int x = 0; x < width; ++x)
            if (!black[static_cast<size_t>(y) * static_cast<size_t>(width) +
                       static_cast<size_t>(x)])
                row[static_cast<size_t>(x) / 8] |= static_cast<char>(0x80 >> (x % 8)); // 1 is white
        scanlines += row;
    }
    return pngFile(width, height, '\x01', '\x00', scanlines); // 1-bit greyscale
}

} // namespace seclog::server
