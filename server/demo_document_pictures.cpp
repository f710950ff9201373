#include "demo_document_pictures.h"

#include "demo_item_pictures.h"
#include "png_writer.h"

#include <array>
#include <cstdint>
#include <vector>

namespace seclog::server {
namespace {

constexpr int kSize = 96;

using Rgb = std::array<std::uint8_t, 3>;

Rgb colourFor(int seed, int shade) {
    const auto mix = [&](int factor) {
        return static_cast<std::uint8_t>((seed * factor + shade) % 170 + 40);
    };
    return {mix(61), mix(103), mix(43)};
}

template <typename PixelAt> std::string drawn(PixelAt pixelAt) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(kSize * kSize * 3);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Rgb pixel = pixelAt(x, y);
            rgb.insert(rgb.end(), pixel.begin(), pixel.end());
        }
    return encodePng(kSize, kSize, rgb);
}

bool inCircle(int x, int y, int cx, int cy, int r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

PictureShape shapeOf(ItemKind kind) {
    switch (kind) {
    case ItemKind::Yarn:
    case ItemKind::Thread:
        return PictureShape::Cone;
    case ItemKind::Dye:
    case ItemKind::Lubricant:
        return PictureShape::Drum;
    case ItemKind::Chemical:
        return PictureShape::Bottle;
    case ItemKind::Spare:
        return PictureShape::Gear;
    case ItemKind::Fabric:
        return PictureShape::Roll;
    case ItemKind::Electrical:
        return PictureShape::Bolt;
    case ItemKind::Safety:
        return PictureShape::Helmet;
    case ItemKind::Packing:
    case ItemKind::Stationery:
        return PictureShape::Box;
    }
    return PictureShape::Box;
}

} // namespace

std::string challanSheetPng(int seed) {
    const Rgb desk = {96, 86, 74}, paper = {248, 246, 238}, ink = {70, 72, 90};
    const Rgb letterhead = colourFor(seed, 0), stamp = colourFor(seed + 3, 60);
    return drawn([&](int x, int y) -> Rgb {
        if (x < 12 || x >= kSize - 12 || y < 4 || y >= kSize - 4)
            return desk;
        if (y < 18)
            return letterhead;
        const bool stampRing = inCircle(x, y, 66, 72, 11) && !inCircle(x, y, 66, 72, 8);
        if (stampRing)
            return stamp;
        // Ruled lines of writing, each a different length.
        const int line = (y - 24) / 7;
        if (y >= 24 && y < 62 && (y - 24) % 7 < 2 && x > 18 && x < 78 - (line * 11 + seed * 7) % 30)
            return ink;
        return paper;
    });
}

std::string lorryPng(int seed) {
    const Rgb sky = {196, 222, 240}, road = {90, 90, 96}, body = colourFor(seed, 20),
              cab = colourFor(seed + 11, 90), glass = {170, 210, 230}, tyre = {30, 30, 30};
    return drawn([&](int x, int y) -> Rgb {
        if (inCircle(x, y, 26, 70, 8) || inCircle(x, y, 72, 70, 8))
            return inCircle(x, y, 26, 70, 3) || inCircle(x, y, 72, 70, 3) ? Rgb{180, 180, 180}
                                                                          : tyre;
        if (x >= 8 && x < 60 && y >= 30 && y < 66)
            return (x - 8) % 13 == 0 ? Rgb{60, 60, 60} : body; // the load's planks
        if (x >= 62 && x < 88 && y >= 40 && y < 66)
            return x >= 70 && x < 84 && y >= 44 && y < 54 ? glass : cab;
        return y >= 72 ? road : sky;
    });
}

std::string goodsPng(ItemKind kind, int seed) {
    return itemPicturePng(shapeOf(kind), seed);
}

} // namespace seclog::server
