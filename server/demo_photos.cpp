#include "demo_photos.h"

#include "file_store.h"
#include "png_writer.h"

#include <cstdint>
#include <vector>

namespace seclog::server {
namespace {

constexpr int kPhotoSize = 96;
constexpr const char *kPersonsFolder = "Security/PersonsImages/";

struct Rgb {
    std::uint8_t r, g, b;
};

Rgb colourFor(int seed, int shade) {
    const auto mix = [&](int factor) {
        return static_cast<std::uint8_t>((seed * factor + shade) % 200 + 40);
    };
    return {mix(67), mix(131), mix(29)};
}

} // namespace

std::string demoPhotoPng(int seed) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(kPhotoSize * kPhotoSize * 3);
    const Rgb background = colourFor(seed, 0);
    const Rgb figure = colourFor(seed + 7, 90);
    const int centre = kPhotoSize / 2;
    for (int y = 0; y < kPhotoSize; ++y) {
        for (int x = 0; x < kPhotoSize; ++x) {
            // A head and shoulders silhouette over diagonal stripes.
            const int dx = x - centre, dy = y - 36;
            const bool head = dx * dx + dy * dy < 18 * 18;
            const bool shoulders = y > 62 && dx * dx < (y - 50) * (y - 50);
            const bool stripe = ((x + y) / 8) % 2 == 0;
            Rgb pixel = head || shoulders ? figure : background;
            if (!head && !shoulders && stripe)
                pixel = {static_cast<std::uint8_t>(pixel.r * 7 / 8),
                         static_cast<std::uint8_t>(pixel.g * 7 / 8),
                         static_cast<std::uint8_t>(pixel.b * 7 / 8)};
            rgb.insert(rgb.end(), {pixel.r, pixel.g, pixel.b});
        }
    }
    return encodePng(kPhotoSize, kPhotoSize, rgb);
}

std::string clientImagePath(const std::string &fileName) {
    return std::string("~/") + kPersonsFolder + fileName;
}

void writeDemoPhoto(const std::filesystem::path &filesDir, const std::string &fileName, int seed) {
    writeFile(filesDir / kPersonsFolder / fileName, demoPhotoPng(seed));
}

} // namespace seclog::server
