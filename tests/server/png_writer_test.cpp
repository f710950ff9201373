// The server's PNG files, read back with libpng as any viewer would.

#include "png_writer.h"

#include <gtest/gtest.h>
#include <png.h>
#include <stdexcept>

namespace seclog::server {
namespace {

struct Decoded {
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = -1; // as the file's header says
    std::vector<std::uint8_t> pixels;  // in `format`
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

using Size = std::pair<int, int>;

class PngSizes : public ::testing::TestWithParam<Size> {};

TEST_P(PngSizes, RgbReadsBackPixelForPixel) {
    const auto [width, height] = GetParam();
    std::vector<std::uint8_t> rgb(static_cast<size_t>(width * height * 3));
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<std::uint8_t>(i * 7 + i / 3);
    const Decoded decoded = decode(encodePng(width, height, rgb), PNG_FORMAT_RGB);
    EXPECT_EQ(decoded.width, static_cast<png_uint_32>(width));
    EXPECT_EQ(decoded.height, static_cast<png_uint_32>(height));
    EXPECT_EQ(decoded.bitDepth, 8);
    EXPECT_EQ(decoded.colourType, PNG_COLOR_TYPE_RGB);
    EXPECT_EQ(decoded.pixels, rgb);
}

// One bit a pixel, rows not a whole number of bytes included: black stays black.
TEST_P(PngSizes, BlackAndWhiteIsOneBitGreyAndReadsBack) {
    const auto [width, height] = GetParam();
    std::vector<bool> black(static_cast<size_t>(width * height));
    std::vector<std::uint8_t> grey(black.size());
    for (size_t i = 0; i < black.size(); ++i) {
        black[i] = (i * 5 + i / 7) % 3 == 0;
        grey[i] = black[i] ? 0 : 255;
    }
    const Decoded decoded = decode(encodeBlackWhitePng(width, height, black), PNG_FORMAT_GRAY);
    EXPECT_EQ(decoded.width, static_cast<png_uint_32>(width));
    EXPECT_EQ(decoded.height, static_cast<png_uint_32>(height));
    EXPECT_EQ(decoded.bitDepth, 1);
    EXPECT_EQ(decoded.colourType, PNG_COLOR_TYPE_GRAY);
    EXPECT_EQ(decoded.pixels, grey);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PngSizes,
                         ::testing::Values(Size{1, 1}, Size{8, 2}, Size{9, 3}, Size{17, 5},
                                           Size{232, 232}));

TEST(PngWriter, RefusesSizesThatDoNotMatchThePixels) {
    const std::vector<std::tuple<int, int, size_t>> cases = {
        {0, 1, 0}, {1, 0, 0}, {-1, -1, 1}, {2, 2, 3}, {2, 2, 5}};
    for (const auto &[width, height, count] : cases) {
        EXPECT_THROW(encodePng(width, height, std::vector<std::uint8_t>(count * 3)),
                     std::invalid_argument)
            << width << "x" << height;
        EXPECT_THROW(encodeBlackWhitePng(width, height, std::vector<bool>(count)),
                     std::invalid_argument)
            << width << "x" << height;
    }
}

} // namespace
} // namespace seclog::server
