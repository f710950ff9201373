#pragma once

#include <string>

namespace seclog::server {

// What an item picture shows, roughly: enough to tell item families apart in a list.
enum class PictureShape { Cone, Drum, Bottle, Gear, Box, Roll, Bolt, Helmet };

// A small deterministic item picture (PNG): the shape over a plain background whose colours
// depend on seed.
std::string itemPicturePng(PictureShape shape, int seed);

} // namespace seclog::server
