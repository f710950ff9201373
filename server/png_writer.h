#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace seclog::server {

std::uint32_t crc32(std::string_view data);
std::uint32_t adler32(std::string_view data);

// Minimal RGB PNG: the image data goes in uncompressed ("stored") deflate blocks,
// so no zlib is needed. rgb holds width*height*3 bytes, row by row.
std::string encodePng(int width, int height, const std::vector<std::uint8_t> &rgb);
// Black and white PNG at one bit a pixel, for QR codes: a fraction of the size of the RGB form.
// black holds width*height flags, row by row.
std::string encodeBlackWhitePng(int width, int height, const std::vector<bool> &black);

} // namespace seclog::server
