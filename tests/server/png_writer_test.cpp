// The server's PNG files, read back with libpng as any viewer would.

#include "png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

namespace seclog::server {
namespace {

struct Decoded {
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = -1; // as the file's header says
    std::vector<std::uint8_t> pixels;  // in `format`
    bool operator==(const Decoded &) const = default;
};

Decoded decode(const std::string &file, png_uint_32 format) {
    Decoded decoded;
    if (file.size() < 33 || file.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0)
        return decoded;
    decoded.bitDepth = static_cast<unsigned char>(file[24]); // IHDR follows the signature
    decoded.colourType = static_cast<unsigned char>(file[25]);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return decoded;
    image.format = format;
    decoded.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, decoded.pixels.data(), 0, nullptr))
        return {};
    decoded.width = image.width;
    decoded.height = image.height;
    return decoded;
}

// RGB at 8 bits, and black and white at one bit a pixel, rows not a whole number of bytes
// included: every pixel reads back as written.
TEST(PngWriter, ImagesReadBackPixelForPixel) {
    for (const auto &[width, height] :
         std::vector<std::pair<int, int>>{{1, 1}, {9, 3}, {17, 5}, {232, 232}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const auto size = static_cast<png_uint_32>(width), rows = static_cast<png_uint_32>(height);
        std::vector<std::uint8_t> rgb(static_cast<size_t>(width * height * 3));
        for (size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = static_cast<std::uint8_t>(i * 7 + i / 3);
        EXPECT_EQ(decode(encodePng(width, height, rgb), PNG_FORMAT_RGB),
                  (Decoded{size, rows, 8, PNG_COLOR_TYPE_RGB, rgb}));
        std::vector<bool> black(static_cast<size_t>(width * height));
        std::vector<std::uint8_t> grey(black.size());
        for (size_t i = 0; i < black.size(); ++i) {
            black[i] = (i * 5 + i / 7) % 3 == 0;
            grey[i] = black[i] ? 0 : 255;
        }
        EXPECT_EQ(decode(encodeBlackWhitePng(width, height, black), PNG_FORMAT_GRAY),
                  (Decoded{size, rows, 1, PNG_COLOR_TYPE_GRAY, grey}));
    }
}

} // namespace
} // namespace seclog::server
