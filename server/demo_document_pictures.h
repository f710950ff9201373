#pragma once

#include "demo_items.h"

#include <string>

namespace seclog::server {

// Small deterministic pictures (PNG) of what travels with a document; colours depend on seed.

// The challan itself: a sheet with a coloured letterhead, ruled lines and a round stamp.
std::string challanSheetPng(int seed);
// The vehicle that carries the goods: a lorry on the road.
std::string lorryPng(int seed);
// The goods, drawn like the item pictures of their kind.
std::string goodsPng(ItemKind kind, int seed);

} // namespace seclog::server
