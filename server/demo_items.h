#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace seclog::server {

class Database;

// What a demo supplier sells. The items of one kind share a picture; stationery has none.
enum class ItemKind {
    Yarn,
    Dye,
    Chemical,
    Spare,
    Packing,
    Thread,
    Fabric,
    Electrical,
    Safety,
    Lubricant,
    Stationery
};
inline constexpr size_t kItemKindCount = 11;

struct DemoItemRef {
    std::int64_t itemId;
    int decimals;
};
// The demo's own items (not the numbered copies of a big master), indexed by ItemKind.
using DemoItemsByKind = std::array<std::vector<DemoItemRef>, kItemKindCount>;

// Inserts the units and the item master: the demo's own few hundred items, or exactly
// `count` items, the demo's names again with a running number once they are used up. Small
// masters still hold every kind.
DemoItemsByKind insertDemoItems(Database &db, std::optional<int> count);
void writeDemoItemPictures(const std::filesystem::path &filesDir);

} // namespace seclog::server
