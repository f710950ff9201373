#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace seclog::server {

class Database;

struct DocumentCode {
    std::string kind;   // "dc", "gt", "hb" or "bill"
    std::int64_t id;    // DC_id, GodownTransfer_id, HB_id or Bill_id
    std::string number; // the document's own number
    std::string code;   // what its printed QR code holds
};

// Every stored document with the text of its QR code, DCs first, then godown transfers,
// hand-bit DCs and bills, each kind by id. DCs, transfers and hand-bit DCs carry their number;
// a bill carries "BILL" and its number, or its signed e-invoice.
std::vector<DocumentCode> storedDocumentCodes(Database &db);

// Writes each stored document's QR code as "<kind>-<id>.png" into dir (made when missing) and
// codes.json, an array of {"file", "kind", "id", "number", "code"} in the order above. Returns
// how many documents it wrote.
size_t writeDocumentCodeFiles(Database &db, const std::filesystem::path &dir);

} // namespace seclog::server
