#pragma once

// What the tests of the log form share: a valid save to start from, and readers of what the
// server stored.

#include "database.h"
#include "demo_server.h"

namespace seclog::server::testing {

inline constexpr const char *kLogProcedure = "USP_GetSecurityLogBySearchText";
inline constexpr const char *kSavePath = "/SaveSecurityIOLog_NoImageData";
inline constexpr const char *kBill = "~/Security/SecLogDetails_Bill/";

// Every row of every table a save writes to, to prove a refused save left nothing behind.
inline json snapshot(const std::filesystem::path &dbPath) {
    Database db(dbPath.string(), true);
    json tables;
    for (const char *table :
         {"SecurityIOLog", "Person", "SecurityIODetails", "SecurityIOLogDocIds"})
        tables[table] = db.query(std::string("SELECT * FROM ") + table + " ORDER BY rowid");
    return tables;
}

// A valid header of a new log at Gate-1, as the form sends it ("INHB_ids " has the blank).
inline json newLogHeader() {
    return json::parse(R"({"SecIOLog_id":"0","BranchCode":"HLV01","Division_id":"1",
        "Device_id":"1","IOType_id":"1","IOPerson":"Vijay Anand","IODesignation":"Sales Executive",
        "IOMobile":"+91 90000 11111","IOAdd1":"7 Park Road, Tiruppur","Meet_To":"Priya Menon",
        "TokenNo":"42","Purpose":"Meeting","IOImgPath":"~/Security/PersonsImages/1",
        "CreatedBy":"1","IOMode":"I","ImageData":"","IOLog_ids":"","INDC_ids":"","OUTDC_ids":"",
        "DC_Detids":"","INGodTrn_ids":"","OUTGodTrn_ids":"","INHB_ids ":"","OUTHB_ids":"",
        "IOVehicle":"TN 38 ZZ 0001"})");
}

// One item line; quantityKey is "Quantity" (IN) or "OutQty" (OUT).
inline json itemLine(const char *quantityKey, const char *quantity, const char *particulars,
                     const char *docNo = "BL-1") {
    return {{"Party_id", ""},          {"PartyName", "Vijay Traders"},
            {"City", "Tiruppur"},      {"DocNo", docNo},
            {"DocDate", "2024-03-01"}, {"Particulars", particulars},
            {quantityKey, quantity},   {"DocPath", std::string(kBill) + "0"},
            {"DetailImageData", ""}};
}

// Sets the given keys; a null value removes the key.
inline json patched(json row, const json &patch) {
    for (const auto &[key, value] : patch.items())
        value.is_null() ? void(row.erase(key)) : void(row[key] = value);
    return row;
}

// A new log's header with the keys of patch (JSON text) changed.
inline json headerWith(const char *patch) {
    return patched(newLogHeader(), json::parse(patch));
}

// The log as the list shows it; the report search also matches the id inside other fields.
inline json reportRow(DemoServer &demo, const std::string &logId) {
    for (const auto &row : demo.logs("SecIOS_ReportFilterSearch", logId))
        if (row["SecIOLog_id"] == logId)
            return row;
    return json::object();
}

inline json detailQuery(const json &logId, const char *branch = "HLV01") {
    return {{"SearchBy", "SecIOLogDetail"}, {"SearchText", logId}, {"BranchCode", branch}};
}

} // namespace seclog::server::testing
