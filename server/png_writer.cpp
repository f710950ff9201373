#include "png_writer.h"

#include <png.h>
#include <stdexcept>

namespace seclog::server {
namespace {

void appendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string *>(png_get_io_ptr(png))->append(reinterpret_cast<char *>(data), length);
}

void noFlush(png_structp) {}

// libpng reports errors by longjmp back to the setjmp below, so this frame holds only plain
// data; false if libpng failed. rows point at width*height pixels packed as bitDepth and
// colourType say.
bool writePng(std::string *out, png_uint_32 width, png_uint_32 height, int bitDepth, int colourType,
              png_bytep *rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, appendToString, noFlush);
    png_set_IHDR(png, info, width, height, bitDepth, colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::string encoded(int width, int height, int bitDepth, int colourType,
                    std::vector<std::uint8_t> &packed, size_t rowBytes) {
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = packed.data() + y * rowBytes;
    std::string out;
    if (!writePng(&out, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), bitDepth,
                  colourType, rows.data()))
        throw std::runtime_error("libpng could not write the image");
    return out;
}

} // namespace

std::string encodePng(int width, int height, const std::vector<std::uint8_t> &rgb) {
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3)
        throw std::invalid_argument("encodePng: pixel buffer does not match the size");
    std::vector<std::uint8_t> pixels = rgb; // libpng takes rows as non-const pointers
    return encoded(width, height, 8, PNG_COLOR_TYPE_RGB, pixels, static_cast<size_t>(width) * 3);
}

std::string encodeBlackWhitePng(int width, int height, const std::vector<bool> &black) {
    if (width <= 0 || height <= 0 ||
        black.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        throw std::invalid_argument("encodeBlackWhitePng: pixel flags do not match the size");
    const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
    std::vector<std::uint8_t> packed(rowBytes * static_cast<size_t>(height), 0);
    for (size_t y = 0; y < static_cast<size_t>(height); ++y)
        for (size_t x = 0; x < static_cast<size_t>(width); ++x)
            if (!black[y * static_cast<size_t>(width) + x]) // 1 is white
                packed[y * rowBytes + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    return encoded(width, height, 1, PNG_COLOR_TYPE_GRAY, packed, rowBytes);
}

} // namespace seclog::server
