#include "demo_documents.h"

#include "database.h"
#include "file_store.h"
#include "png_writer.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace seclog::server {
namespace {

constexpr const char *kBillFolder = "Security/SecLogDetails_Bill/";
constexpr int kBillCount = 5;

struct DemoLine {
    int log;
    const char *section, *docType, *docNo, *partyName, *city, *particulars, *quantity;
    int bill; // 0: no image, else bill_<n>.png
};

// Lines of one document follow each other, as the client groups them.
constexpr std::array<DemoLine, 11> kLines = {{
    {4, "IN", "DC", "DC-2041", "Sri Murugan Yarns", "Tiruppur", "Cotton Yarn 40s", "120.00", 1},
    {4, "IN", "DC", "DC-2041", "Sri Murugan Yarns", "Tiruppur", "Cotton Yarn 60s", "80.00", 1},
    {4, "OUT", "Gate Pass", "GP-0117", "Sri Murugan Yarns", "Tiruppur", "Empty Paper Cones",
     "40.00", 0},
    {10, "IN", "Bill", "BL-5531", "Farida Exports", "Tiruppur", "Fabric Swatches", "12.00", 3},
    {10, "OUT", "Gate Pass", "GP-0120", "Farida Exports", "Tiruppur", "Finished Fabric Rolls",
     "30.00", 4},
    {10, "OUT", "Gate Pass", "GP-0120", "Farida Exports", "Tiruppur", "Sample Garments", "6.00", 4},
    {31, "IN", "Bill", "SR-7781", "Lakshmi Machine Works", "Coimbatore", "Spindle Bearings",
     "48.00", 5},
    {34, "IN", "Invoice", "INV-88412", "Kongu Cotton Traders", "Coimbatore", "Cotton Bales",
     "25.00", 2},
    {34, "IN", "Invoice", "INV-88412", "Kongu Cotton Traders", "Coimbatore", "Polyester Staple",
     "10.00", 2},
    {34, "OUT", "Gate Pass", "GP-0121", "Kongu Cotton Traders", "Coimbatore", "Empty Bale Wraps",
     "25.00", 0},
    {34, "OUT", "Returnable", "RT-0042", "Kongu Cotton Traders", "Coimbatore", "Pallets", "4.00",
     0},
}};

std::string billName(int bill) {
    return "bill_" + std::to_string(bill) + ".png";
}

// A sheet of paper with a coloured letterhead and ruled lines of "text".
std::string demoBillPng(int seed) {
    constexpr int kWidth = 120, kHeight = 160;
    std::vector<std::uint8_t> rgb;
    rgb.reserve(kWidth * kHeight * 3);
    const auto band = [&](int factor) {
        return static_cast<std::uint8_t>((seed * factor) % 150 + 60);
    };
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::array<std::uint8_t, 3> pixel = {250, 248, 240};
            if (y < 24)
                pixel = {band(71), band(113), band(37)};
            else if (x > 10 && x < kWidth - 10 - (y * 7 + seed * 13) % 40 && y % 12 < 3)
                pixel = {90, 90, 100};
            rgb.insert(rgb.end(), pixel.begin(), pixel.end());
        }
    }
    return encodePng(kWidth, kHeight, rgb);
}

} // namespace

void insertDemoDocuments(Database &db) {
    for (const DemoLine &line : kLines) {
        const std::string docPath =
            line.bill > 0 ? std::string("~/") + kBillFolder + billName(line.bill) : std::string();
        const bool out = std::string(line.section) == "OUT";
        // The document is dated the day the log was opened.
        db.execute("INSERT INTO SecurityIODetails(SecIOLog_id, Section, DocType, DocNo, DocDate, "
                   "PartyName, City, Particulars, Quantity, OutQty, DocPath) "
                   "SELECT SecIOLog_id, ?2, ?3, ?4, substr(InTime, 1, 10), ?5, ?6, ?7, ?8, ?9, ?10 "
                   "FROM SecurityIOLog WHERE SecIOLog_id = ?1",
                   {std::int64_t{line.log}, std::string(line.section), std::string(line.docType),
                    std::string(line.docNo), std::string(line.partyName), std::string(line.city),
                    std::string(line.particulars), std::string(out ? "" : line.quantity),
                    std::string(out ? line.quantity : ""), docPath});
    }
}

void writeDemoBills(const std::filesystem::path &filesDir) {
    for (int bill = 1; bill <= kBillCount; ++bill)
        writeFile(filesDir / kBillFolder / billName(bill), demoBillPng(bill));
}

} // namespace seclog::server
