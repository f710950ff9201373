#include "demo_items.h"

#include "database.h"
#include "demo_item_pictures.h"
#include "file_store.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

namespace seclog::server {
namespace {

constexpr const char *kPictureFolder = "Security/ItemImages/";

struct DemoUnit {
    const char *name, *singular, *plural;
    int decimals;
};

// Index + 1 is the Unit_id.
constexpr std::array<DemoUnit, 13> kUnits = {{
    {"Kilogram", "Kg", "Kgs", 3},
    {"Number", "No", "Nos", 0},
    {"Metre", "Mtr", "Mtrs", 2},
    {"Litre", "Ltr", "Ltrs", 2},
    {"Box", "Box", "Boxes", 0},
    {"Bag", "Bag", "Bags", 0},
    {"Roll", "Roll", "Rolls", 0},
    {"Cone", "Cone", "Cones", 0},
    {"Set", "Set", "Sets", 0},
    {"Pair", "Pair", "Pairs", 0},
    {"Dozen", "Dzn", "Dzns", 0},
    {"Ream", "Ream", "Reams", 0},
    {"Packet", "Pkt", "Pkts", 0},
}};

struct ItemBase {
    const char *name;
    const char *unit;  // a kUnits name
    int decimals = -1; // -1: the unit's
};

// A group's names are each base followed by each variant, or the bases alone.
struct ItemGroup {
    ItemKind kind;
    std::span<const ItemBase> bases;
    std::span<const char *const> variants;
};

constexpr ItemBase kYarns[] = {
    {"Cotton Combed Yarn", "Kilogram"},  {"Cotton Carded Yarn", "Kilogram"},
    {"Compact Cotton Yarn", "Kilogram"}, {"Polyester Spun Yarn", "Kilogram"},
    {"Viscose Spun Yarn", "Kilogram"},   {"Poly Cotton Yarn", "Kilogram"},
    {"Modal Yarn", "Kilogram"},          {"Grey Melange Yarn", "Kilogram"},
    {"Cotton Slub Yarn", "Kilogram"},
};
constexpr const char *kYarnCounts[] = {"20s", "24s", "30s", "34s", "40s", "2/40s", "60s"};

constexpr ItemBase kDyes[] = {
    {"Reactive Dye", "Kilogram"}, {"Disperse Dye", "Kilogram"}, {"Vat Dye", "Kilogram"},
    {"Acid Dye", "Kilogram"},     {"Direct Dye", "Kilogram"},
};
constexpr const char *kDyeShades[] = {"Red",    "Yellow", "Blue",   "Navy",      "Black",
                                      "Orange", "Green",  "Violet", "Turquoise", "Brown"};

constexpr ItemBase kChemicals[] = {
    {"Caustic Soda Flakes", "Kilogram"}, {"Soda Ash Light", "Kilogram"},
    {"Hydrogen Peroxide 50%", "Litre"},  {"Acetic Acid 99%", "Litre"},
    {"Formic Acid 85%", "Litre"},        {"Glauber Salt", "Kilogram"},
    {"Industrial Salt", "Bag"},          {"Sodium Hydrosulphite", "Kilogram"},
    {"Sodium Silicate", "Kilogram"},     {"Wetting Agent", "Litre"},
    {"Silicone Softener", "Litre"},      {"Cationic Softener Flakes", "Kilogram"},
    {"Sequestering Agent", "Litre"},     {"Levelling Agent", "Litre"},
    {"Dye Fixing Agent", "Litre"},       {"Anti Creasing Agent", "Litre"},
    {"Bio Polish Enzyme", "Litre"},      {"Optical Brightener", "Kilogram"},
    {"Soaping Agent", "Litre"},          {"Defoamer", "Litre"},
    {"Peroxide Killer Enzyme", "Litre"}, {"Sizing Starch", "Bag"},
};

constexpr ItemBase kMachines[] = {
    {"Ring Frame", "Number"},        {"Simplex", "Number"},   {"Carding", "Number"},
    {"Draw Frame", "Number"},        {"Autoconer", "Number"}, {"Air Jet Loom", "Number"},
    {"Circular Knitting", "Number"}, {"Stenter", "Number"},
};
constexpr const char *kMachineParts[] = {"Bearing",    "V Belt", "Gear",       "Spring",
                                         "Top Roller", "Sensor", "Motor",      "Fuse",
                                         "Coupling",   "Pulley", "Timing Belt"};

constexpr ItemBase kPackingBySize[] = {
    {"Carton Box 3 Ply", "Number"}, {"Carton Box 5 Ply", "Number"}, {"Poly Bag", "Kilogram", 2},
    {"HDPE Woven Bag", "Number"},   {"Zip Lock Cover", "Packet"},
};
constexpr const char *kPackingSizes[] = {"10x12", "12x16", "16x20", "18x24", "20x30"};
constexpr ItemBase kPacking[] = {
    {"BOPP Tape 48mm", "Roll"},      {"Stretch Film 500mm", "Roll"},
    {"PP Strapping Roll", "Roll"},   {"Paper Cone 4.20 Deg", "Number"},
    {"Plastic Cone Grey", "Number"},
};

constexpr ItemBase kThreads[] = {
    {"Polyester Sewing Thread Tex 27", "Cone"},
    {"Polyester Sewing Thread Tex 40", "Cone"},
    {"Cotton Sewing Thread Tex 30", "Cone"},
};
constexpr const char *kThreadShades[] = {"White", "Black",      "Navy",         "Red",
                                         "Grey",  "Maroon",     "Olive",        "Sky Blue",
                                         "Beige", "Royal Blue", "Bottle Green", "Yellow"};

// Knits are bought by weight, woven cloth by length.
constexpr ItemBase kFabrics[] = {
    {"Single Jersey 160 GSM", "Kilogram", 2},
    {"Interlock 220 GSM", "Kilogram", 2},
    {"Rib 1x1 200 GSM", "Kilogram", 2},
    {"Pique 180 GSM", "Kilogram", 2},
    {"Fleece 280 GSM", "Kilogram", 2},
    {"Poplin 40x40", "Metre"},
    {"Twill 20x16", "Metre"},
    {"Canvas 10x10", "Metre"},
};
constexpr const char *kFabricShades[] = {"Grey", "Bleached", "Navy", "Black"};

constexpr ItemBase kElectricals[] = {
    {"LED Tube Light 20W", "Number"},
    {"LED Flood Light 100W", "Number"},
    {"MCB 16A", "Number"},
    {"MCB 32A", "Number"},
    {"Contactor 32A", "Number"},
    {"Overload Relay 9-13A", "Number"},
    {"Proximity Sensor M18", "Number"},
    {"Limit Switch", "Number"},
    {"Push Button Green", "Number"},
    {"Push Button Red", "Number"},
    {"Copper Cable 2.5 sq mm", "Metre"},
    {"Copper Cable 4 sq mm", "Metre"},
    {"PVC Insulation Tape", "Roll"},
    {"Cable Tie 200mm", "Packet"},
    {"Exhaust Fan 24 inch", "Number"},
    {"Ceiling Fan 1200mm", "Number"},
};

constexpr ItemBase kSafety[] = {
    {"Safety Gloves", "Pair"},
    {"Safety Shoes Size 8", "Pair"},
    {"Safety Shoes Size 9", "Pair"},
    {"Ear Plug", "Pair"},
    {"Face Mask", "Box"},
    {"Safety Helmet", "Number"},
    {"Cotton Waste", "Kilogram", 1},
    {"Broom Stick", "Number"},
    {"Floor Cleaning Liquid", "Litre"},
    {"Hand Wash Liquid", "Litre"},
    {"First Aid Kit", "Set"},
    {"Fire Extinguisher 4.5 Kg", "Number"},
    {"Dust Bin 60 Litre", "Number"},
};

constexpr ItemBase kLubricants[] = {
    {"Spindle Oil 10", "Litre"},      {"Spindle Oil 22", "Litre"},
    {"Gear Oil 90", "Litre"},         {"Gear Oil 140", "Litre"},
    {"Hydraulic Oil 68", "Litre"},    {"Compressor Oil 100", "Litre"},
    {"Knitting Needle Oil", "Litre"}, {"Thermic Fluid", "Litre"},
    {"Grease MP3", "Kilogram"},       {"Grease EP2", "Kilogram"},
};

constexpr ItemBase kStationery[] = {
    {"A4 Paper 75 GSM", "Ream"},      {"A3 Paper 80 GSM", "Ream"},
    {"Ball Pen Blue", "Dozen"},       {"Ball Pen Black", "Dozen"},
    {"Marker Pen", "Dozen"},          {"Whiteboard Marker", "Dozen"},
    {"Stapler Pin 24/6", "Box"},      {"Register 200 Pages", "Number"},
    {"File Folder", "Number"},        {"Printer Toner 88A", "Number"},
    {"Gate Pass Book", "Number"},     {"Delivery Challan Book", "Number"},
    {"Envelope Cover 9x4", "Packet"}, {"Calculator 12 Digit", "Number"},
};

constexpr std::span<const char *const> kNoVariants;

const std::array<ItemGroup, 12> kGroups = {{
    {ItemKind::Yarn, kYarns, kYarnCounts},
    {ItemKind::Dye, kDyes, kDyeShades},
    {ItemKind::Chemical, kChemicals, kNoVariants},
    {ItemKind::Spare, kMachines, kMachineParts},
    {ItemKind::Packing, kPackingBySize, kPackingSizes},
    {ItemKind::Packing, kPacking, kNoVariants},
    {ItemKind::Thread, kThreads, kThreadShades},
    {ItemKind::Fabric, kFabrics, kFabricShades},
    {ItemKind::Electrical, kElectricals, kNoVariants},
    {ItemKind::Safety, kSafety, kNoVariants},
    {ItemKind::Lubricant, kLubricants, kNoVariants},
    {ItemKind::Stationery, kStationery, kNoVariants},
}};

struct KindPicture {
    const char *file; // nullptr: no picture
    PictureShape shape;
};

// Indexed by ItemKind.
constexpr std::array<KindPicture, kItemKindCount> kPictures = {{
    {"yarn.png", PictureShape::Cone},
    {"dye.png", PictureShape::Drum},
    {"chemical.png", PictureShape::Bottle},
    {"spare.png", PictureShape::Gear},
    {"packing.png", PictureShape::Box},
    {"thread.png", PictureShape::Cone},
    {"fabric.png", PictureShape::Roll},
    {"electrical.png", PictureShape::Bolt},
    {"safety.png", PictureShape::Helmet},
    {"lubricant.png", PictureShape::Drum},
    {nullptr, PictureShape::Box},
}};

struct CatalogueItem {
    std::string name;
    ItemKind kind;
    std::int64_t unitId;
    int decimals;
};

std::int64_t unitIdOf(std::string_view name) {
    const auto it = std::find_if(kUnits.begin(), kUnits.end(),
                                 [&](const DemoUnit &unit) { return unit.name == name; });
    return static_cast<std::int64_t>(it - kUnits.begin()) + 1;
}

std::vector<CatalogueItem> groupItems(const ItemGroup &group) {
    std::vector<CatalogueItem> items;
    for (const ItemBase &base : group.bases) {
        const std::int64_t unitId = unitIdOf(base.unit);
        const int decimals =
            base.decimals >= 0 ? base.decimals : kUnits[static_cast<size_t>(unitId - 1)].decimals;
        if (group.variants.empty())
            items.push_back({base.name, group.kind, unitId, decimals});
        for (const char *variant : group.variants)
            items.push_back({std::string(base.name) + " " + variant, group.kind, unitId, decimals});
    }
    return items;
}

// The demo's own items, the groups taken in turn so that any first few hold every kind.
std::vector<CatalogueItem> catalogue() {
    std::vector<std::vector<CatalogueItem>> groups;
    size_t longest = 0;
    for (const ItemGroup &group : kGroups) {
        groups.push_back(groupItems(group));
        longest = std::max(longest, groups.back().size());
    }
    std::vector<CatalogueItem> items;
    for (size_t i = 0; i < longest; ++i)
        for (auto &group : groups)
            if (i < group.size())
                items.push_back(std::move(group[i]));
    return items;
}

std::string picturePath(ItemKind kind) {
    const char *file = kPictures[static_cast<size_t>(kind)].file;
    return file ? std::string("~/") + kPictureFolder + file : std::string();
}

} // namespace

DemoItemsByKind insertDemoItems(Database &db, std::optional<int> count) {
    std::vector<SqlParams> unitRows;
    for (size_t i = 0; i < kUnits.size(); ++i)
        unitRows.push_back({static_cast<std::int64_t>(i + 1), std::string(kUnits[i].name),
                            std::string(kUnits[i].singular), std::string(kUnits[i].plural),
                            std::int64_t{kUnits[i].decimals}});
    db.executeForEach("INSERT INTO Unit(Unit_id, UnitName, SingularSymbol, PluralSymbol, "
                      "NoOfDecimal) VALUES (?1, ?2, ?3, ?4, ?5)",
                      unitRows);

    const std::vector<CatalogueItem> items = catalogue();
    const size_t total = count ? static_cast<size_t>(std::max(*count, 0)) : items.size();
    std::array<std::string, kItemKindCount> pictures;
    for (size_t kind = 0; kind < kItemKindCount; ++kind)
        pictures[kind] = picturePath(static_cast<ItemKind>(kind));
    DemoItemsByKind byKind;
    std::vector<SqlParams> rows;
    rows.reserve(total);
    for (size_t i = 0; i < total; ++i) {
        const CatalogueItem &item = items[i % items.size()];
        const size_t round = i / items.size();
        const auto id = static_cast<std::int64_t>(i + 1);
        const auto kind = static_cast<size_t>(item.kind);
        if (round == 0)
            byKind[kind].push_back({id, item.decimals});
        rows.push_back({id, round == 0 ? item.name : item.name + " #" + std::to_string(round + 1),
                        item.unitId, std::int64_t{item.decimals}, pictures[kind]});
    }
    db.executeForEach("INSERT INTO Item(Item_id, ItemName, Unit_id, NoOfDecimal, ImagePath) "
                      "VALUES (?1, ?2, ?3, ?4, ?5)",
                      rows);
    return byKind;
}

void writeDemoItemPictures(const std::filesystem::path &filesDir) {
    for (size_t kind = 0; kind < kPictures.size(); ++kind)
        if (kPictures[kind].file)
            writeFile(filesDir / kPictureFolder / kPictures[kind].file,
                      itemPicturePng(kPictures[kind].shape, static_cast<int>(kind) + 1));
}

} // namespace seclog::server
