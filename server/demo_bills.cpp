#include "demo_bills.h"

#include "database.h"
#include "date_time.h"
#include "demo_document_numbers.h"
#include "sodium_wrappers.h"

#include <array>
#include <nlohmann/json.hpp>
#include <vector>

namespace seclog::server {
namespace {

constexpr const char *kSellerGstin = "33AAACH4821K1ZQ";

struct Customer {
    const char *name, *gstin;
};

constexpr std::array<Customer, 8> kCustomers = {{
    {"Tiruppur Knit Exports", "33AABCT5521M1Z2"},
    {"Sri Balaji Garments", "33AAKFS7310Q1Z9"},
    {"Coimbatore Fashion House", "33AADCC2294L1Z4"},
    {"Karur Home Linens", "33AAHFK8812P1Z7"},
    {"Erode Textile Traders", "33AAEFE4417R1Z1"},
    {"Chennai Denim Works", "33AAGCC9051N1Z6"},
    {"Eastman Apparels", "33AAACE3368H1Z3"},
    {"Bengaluru Garment Hub", "29AAHCB6624J1Z8"},
}};

// nullptr: the bill has no such record.
struct DemoBill {
    int number; // within the financial year
    int daysAgo;
    int customer;
    const char *deliveryBranch;
    const char *vehicle, *driver, *lrNo, *billStatus;
    const char *despatched, *status;
    bool eInvoice;
};

// Index + 1 is the Bill_id.
constexpr std::array<DemoBill, 12> kBills = {{
    {456, 0, 0, "Tiruppur Knit Exports - Unit 2, Avinashi Road, Tiruppur", "TN 39 CK 4521",
     "Murugan S", "LR-55812", "Approved", "Y", "Approved", true},
    {457, 0, 1, "Sri Balaji Garments, Palladam", "TN 37 DE 3344", "Rajesh Kannan", "LR-55820",
     "Approved", "Y", "Pending", false},
    {458, 0, 2, nullptr, "", "", "", "", "N", "Approved", false},
    {452, 1, 3, "Karur Home Linens, Karur", "KA 01 MN 2468", "Senthil Kumar", "", "Approved", "Y",
     "Approved", true},
    {453, 1, 4, "Erode Textile Traders, Erode", "TN 38 AB 1234", "", "LR-55790", "", "Y",
     "Approved", false},
    {449, 2, 5, "Chennai Denim Works, Ambattur, Chennai", "", "", "", "Cancelled", "N", "Rejected",
     false},
    {450, 2, 6, "Eastman Apparels, Tiruppur", "", "", "", "Pending", nullptr, nullptr, false},
    {451, 2, 7, "Bengaluru Garment Hub, Peenya, Bengaluru", "KA 05 AG 7781", "Mahesh Gowda",
     "LR-55731", "Approved", "Y", "Approved", true},
    {447, 3, 0, "Tiruppur Knit Exports - Unit 1, Tiruppur", "TN 39 CK 4521", "Murugan S",
     "LR-55702", "Approved", "Y", "Approved", false},
    {445, 4, 1, "Sri Balaji Garments, Palladam", "TN 37 DE 3344", "", "", "Pending", "N", "Pending",
     true},
    {454, 1, 3, "Karur Home Linens, Karur", "TN 47 BZ 0925", "Velu R", "LR-55801", "Approved", "Y",
     "Rejected", false},
    {455, 1, 4, nullptr, "", "", "", "", nullptr, nullptr, false},
}};

// The signed e-invoice of a bill as its QR code carries it: a JWT whose payload holds the
// invoice's summary as JSON text. The signature is 256 bytes derived from the bill, which looks
// like an RSA signature and lets nobody mistake the demo for a real invoice.
std::string signedInvoice(const DemoBill &bill, const std::string &billCode,
                          const std::string &isoDate) {
    const std::string irn = hexText(sha256Digest("IRN " + billCode));
    const nlohmann::json invoice = {
        {"SellerGstin", kSellerGstin},
        {"BuyerGstin", kCustomers[static_cast<size_t>(bill.customer)].gstin},
        {"DocNo", billCode},
        {"DocTyp", "INV"},
        {"DocDt", isoDate.substr(8, 2) + "/" + isoDate.substr(5, 2) + "/" + isoDate.substr(0, 4)},
        {"TotInvVal", 48000 + bill.number * 517 % 250000},
        {"ItemCnt", 1 + bill.number % 6},
        {"MainHsnCode", "5208"},
        {"Irn", irn},
        {"IrnDt", isoDate + " 10:42:00"},
    };
    const nlohmann::json header = {{"alg", "RS256"}, {"kid", "B64C2E1F7A9D"}, {"typ", "JWT"}};
    const nlohmann::json payload = {{"data", invoice.dump()}, {"iss", "NIC"}};
    std::string signature;
    for (int block = 0; block < 8; ++block)
        signature += sha256Digest(irn + "#" + std::to_string(block));
    return base64UrlText(header.dump()) + "." + base64UrlText(payload.dump()) + "." +
           base64UrlText(signature);
}

SqlValue textOrNull(const char *text) {
    return text ? SqlValue(std::string(text)) : SqlValue(nullptr);
}

} // namespace

void insertDemoBills(Database &db, const std::string &branchCode) {
    std::vector<SqlParams> rows;
    for (size_t i = 0; i < kBills.size(); ++i) {
        const DemoBill &bill = kBills[i];
        const std::string date = isoHoursAgo(bill.daysAgo * 24.0).substr(0, 10);
        const std::string code = financialYearCode("INV", date, bill.number);
        rows.push_back({static_cast<std::int64_t>(i + 1), branchCode, code, date,
                        std::string(kCustomers[static_cast<size_t>(bill.customer)].name),
                        textOrNull(bill.deliveryBranch), std::string(bill.vehicle),
                        std::string(bill.driver), std::string(bill.lrNo),
                        std::string(bill.billStatus), textOrNull(bill.despatched),
                        textOrNull(bill.status),
                        bill.eInvoice ? signedInvoice(bill, code, date) : std::string()});
    }
    db.executeForEach("INSERT INTO Bill(Bill_id, BranchCode, BillCode, BillDate, PartyName, "
                      "DeliveryBranch, VehicleNo, DriverName, LRNo, BillStatus, IsDespatched, "
                      "Status, SignedQRCode) "
                      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)",
                      rows);
}

} // namespace seclog::server
