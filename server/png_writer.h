#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace seclog::server {

// PNG files written by libpng. Invalid sizes are std::invalid_argument.

// 8-bit RGB; rgb holds width*height*3 bytes, row by row.
std::string encodePng(int width, int height, const std::vector<std::uint8_t> &rgb);
// Black and white at one bit a pixel (greyscale), for QR codes: a fraction of the size of the
// RGB form. black holds width*height flags, row by row.
std::string encodeBlackWhitePng(int width, int height, const std::vector<bool> &black);

} // namespace seclog::server
