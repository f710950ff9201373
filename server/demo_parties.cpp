#include "demo_parties.h"

#include "database.h"

#include <string>
#include <vector>

namespace seclog::server {
namespace {

constexpr std::array kCities = {
    "Tiruppur",  "Coimbatore", "Erode",        "Karur",       "Salem",   "Surat",    "Ludhiana",
    "Panipat",   "Bhiwandi",   "Ichalkaranji", "Malegaon",    "Madurai", "Palladam", "Somanur",
    "Avinashi",  "Udumalpet",  "Namakkal",     "Rajapalayam", "Chennai", "Mumbai",   "Ahmedabad",
    "Kolkata",   "Kanpur",     "Jaipur",       "Bhilwara",    "Indore",  "Solapur",  "Amritsar",
    "Bengaluru", "Varanasi",   "Kannur",       "Pollachi",
};

} // namespace

const std::array<DemoSupplier, 40> kDemoSuppliers = {{
    {"Sri Murugan Yarns", "Tiruppur", ItemKind::Yarn},
    {"Kongu Cotton Traders", "Coimbatore", ItemKind::Yarn},
    {"Vardhman Spinning Agencies", "Ludhiana", ItemKind::Yarn},
    {"Salem Textile Mills", "Salem", ItemKind::Yarn},
    {"Rajapalayam Cotton Mills Depot", "Rajapalayam", ItemKind::Yarn},
    {"Surat Synthetics", "Surat", ItemKind::Yarn},
    {"Panipat Recycled Yarns", "Panipat", ItemKind::Yarn},
    {"Colourtex Dyes and Chemicals", "Surat", ItemKind::Dye},
    {"Atul Colour House", "Ahmedabad", ItemKind::Dye},
    {"Erode Dye Chem", "Erode", ItemKind::Dye},
    {"Karur Chemical Agencies", "Karur", ItemKind::Chemical},
    {"Bhilwara Process Chemicals", "Bhilwara", ItemKind::Chemical},
    {"Mumbai Speciality Chemicals", "Mumbai", ItemKind::Chemical},
    {"Lakshmi Machine Works", "Coimbatore", ItemKind::Spare},
    {"Kovai Textile Spares", "Coimbatore", ItemKind::Spare},
    {"Ichalkaranji Loom Spares", "Ichalkaranji", ItemKind::Spare},
    {"Ludhiana Knit Machinery", "Ludhiana", ItemKind::Spare},
    {"Precision Bearings Corporation", "Chennai", ItemKind::Spare},
    {"Kovai Packaging Industries", "Coimbatore", ItemKind::Packing},
    {"Tiruppur Carton Works", "Tiruppur", ItemKind::Packing},
    {"Avinashi Poly Packs", "Avinashi", ItemKind::Packing},
    {"Bhiwandi Paper Cones", "Bhiwandi", ItemKind::Packing},
    {"Madura Threads", "Madurai", ItemKind::Thread},
    {"Vijay Sewing Threads", "Tiruppur", ItemKind::Thread},
    {"Somanur Weaving Company", "Somanur", ItemKind::Fabric},
    {"Palladam Knit Fabrics", "Palladam", ItemKind::Fabric},
    {"Malegaon Power Loom Fabrics", "Malegaon", ItemKind::Fabric},
    {"Erode Handloom Sales", "Erode", ItemKind::Fabric},
    {"Sakthi Electricals", "Coimbatore", ItemKind::Electrical},
    {"Kanpur Cable House", "Kanpur", ItemKind::Electrical},
    {"Indore Switchgear Traders", "Indore", ItemKind::Electrical},
    {"Safe Hands Safety Products", "Chennai", ItemKind::Safety},
    {"Green Clean Housekeeping", "Salem", ItemKind::Safety},
    {"Bharat Lubricants", "Kolkata", ItemKind::Lubricant},
    {"Namakkal Oil Traders", "Namakkal", ItemKind::Lubricant},
    {"Jaipur Office Mart", "Jaipur", ItemKind::Stationery},
    {"Tiruppur Stationery Stores", "Tiruppur", ItemKind::Stationery},
    {"Udumalpet Chemical Traders", "Udumalpet", ItemKind::Chemical},
    {"Solapur Textile Suppliers", "Solapur", ItemKind::Fabric},
    {"Amritsar Woollen Agencies", "Amritsar", ItemKind::Yarn},
}};

void insertDemoParties(Database &db) {
    std::vector<SqlParams> cities;
    for (const char *city : kCities)
        cities.push_back({std::string(city)});
    db.executeForEach("INSERT INTO City(CityName) VALUES (?1)", cities);
    std::vector<SqlParams> parties;
    for (size_t i = 0; i < kDemoSuppliers.size(); ++i)
        parties.push_back({static_cast<std::int64_t>(i + 1), std::string(kDemoSuppliers[i].name),
                           std::string(kDemoSuppliers[i].city)});
    db.executeForEach("INSERT INTO Party(Party_id, PartyName, City_id) "
                      "SELECT ?1, ?2, City_id FROM City WHERE CityName = ?3",
                      parties);
}

} // namespace seclog::server
