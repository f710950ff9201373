#include "demo_item_pictures.h"

#include "png_writer.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace seclog::server {
namespace {

constexpr int kSize = 96;
constexpr double kPi = 3.14159265358979323846;

using Rgb = std::array<std::uint8_t, 3>;

Rgb colourFor(int seed, int shade) {
    const auto mix = [&](int factor) {
        return static_cast<std::uint8_t>((seed * factor + shade) % 180 + 50);
    };
    return {mix(53), mix(97), mix(151)};
}

bool inEllipse(int x, int y, int cx, int cy, int rx, int ry) {
    const double dx = double(x - cx) / rx, dy = double(y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

// 0: background, 1: the shape, 2: its detail (bands, edges, holes).
int cone(int x, int y) {
    if (y < 16 || y > 84)
        return 0;
    const int half = 8 + (y - 16) * 22 / 68; // widens towards the base
    if (std::abs(x - 48) > half)
        return 0;
    return (y / 6) % 2 == 0 ? 2 : 1; // wound yarn
}

int drum(int x, int y) {
    if (x < 22 || x > 74 || y < 14 || y > 84)
        return 0;
    return y < 20 || (y > 38 && y < 42) || (y > 58 && y < 62) ? 2 : 1;
}

int bottle(int x, int y) {
    if (x >= 40 && x <= 56 && y >= 10 && y < 28)
        return y < 16 ? 2 : 1; // cap and neck
    if (x >= 26 && x <= 70 && y >= 28 && y <= 86)
        return y > 46 && y < 66 && x > 32 && x < 64 ? 2 : 1; // label
    return 0;
}

int gear(int x, int y) {
    const double dx = x - 48, dy = y - 48;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r < 10)
        return 0; // the bore
    const double angle = std::atan2(dy, dx);
    const bool tooth = std::fmod(angle + kPi, kPi / 5) < kPi / 10;
    if (r <= 30 || (tooth && r <= 40))
        return r < 16 ? 2 : 1;
    return 0;
}

int box(int x, int y) {
    if (x < 16 || x > 80 || y < 24 || y > 80)
        return 0;
    return std::abs(x - 48) < 3 || y < 30 ? 2 : 1; // tape and lid
}

int roll(int x, int y) {
    if (inEllipse(x, y, 72, 48, 12, 26))
        return inEllipse(x, y, 72, 48, 4, 9) ? 0 : 2; // the end with its core
    return x >= 20 && x <= 72 && y >= 22 && y <= 74 ? 1 : 0;
}

int bolt(int x, int y) {
    // A lightning flash: two bars slanting down to the left, joined by a step to the right.
    const int upper = 62 - (y - 8) / 2, lower = 62 - (y - 46) / 2;
    if (y >= 8 && y < 50 && std::abs(x - upper) <= 9)
        return 1;
    if (y >= 42 && y <= 52 && x >= 36 && x <= 66)
        return 1;
    if (y > 46 && y <= 90 && std::abs(x - lower) <= 9)
        return 1;
    return 0;
}

int helmet(int x, int y) {
    if (y >= 58 && y <= 66 && x >= 12 && x <= 84)
        return 2; // the brim
    return y < 58 && inEllipse(x, y, 48, 58, 30, 34) ? 1 : 0;
}

int partAt(PictureShape shape, int x, int y) {
    switch (shape) {
    case PictureShape::Cone:
        return cone(x, y);
    case PictureShape::Drum:
        return drum(x, y);
    case PictureShape::Bottle:
        return bottle(x, y);
    case PictureShape::Gear:
        return gear(x, y);
    case PictureShape::Box:
        return box(x, y);
    case PictureShape::Roll:
        return roll(x, y);
    case PictureShape::Bolt:
        return bolt(x, y);
    case PictureShape::Helmet:
        return helmet(x, y);
    }
    return 0;
}

} // namespace

std::string itemPicturePng(PictureShape shape, int seed) {
    const std::array<Rgb, 3> palette = {Rgb{236, 236, 230}, colourFor(seed, 0),
                                        colourFor(seed + 5, 70)};
    std::vector<std::uint8_t> rgb;
    rgb.reserve(kSize * kSize * 3);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Rgb &pixel = palette[static_cast<size_t>(partAt(shape, x, y))];
            rgb.insert(rgb.end(), pixel.begin(), pixel.end());
        }
    return encodePng(kSize, kSize, rgb);
}

} // namespace seclog::server
