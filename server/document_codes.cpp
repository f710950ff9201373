#include "document_codes.h"

#include "database.h"
#include "file_store.h"
#include "qr_code_png.h"

#include <nlohmann/json.hpp>

namespace seclog::server {

std::vector<DocumentCode> storedDocumentCodes(Database &db) {
    const nlohmann::json rows = db.query(
        "SELECT 1 AS rank, 'dc' AS kind, DC_id AS id, DCCode AS number, DCCode AS code FROM DC "
        "UNION ALL SELECT 2, 'gt', GodownTransfer_id, GodownTransferCode, GodownTransferCode "
        "FROM GodownTransfer "
        "UNION ALL SELECT 3, 'hb', HB_id, DCCode, DCCode FROM HandBitDC "
        "UNION ALL SELECT 4, 'bill', Bill_id, BillCode, "
        "CASE WHEN SignedQRCode <> '' THEN SignedQRCode ELSE 'BILL' || BillCode END FROM Bill "
        "ORDER BY rank, id");
    std::vector<DocumentCode> codes;
    for (const auto &row : rows)
        codes.push_back({row["kind"].get<std::string>(), row["id"].get<std::int64_t>(),
                         row["number"].get<std::string>(), row["code"].get<std::string>()});
    return codes;
}

size_t writeDocumentCodeFiles(Database &db, const std::filesystem::path &dir) {
    const std::vector<DocumentCode> codes = storedDocumentCodes(db);
    nlohmann::json index = nlohmann::json::array();
    for (const DocumentCode &document : codes) {
        const std::string file = document.kind + "-" + std::to_string(document.id) + ".png";
        writeFile(dir / file, qrCodePng(document.code));
        index.push_back({{"file", file},
                         {"kind", document.kind},
                         {"id", document.id},
                         {"number", document.number},
                         {"code", document.code}});
    }
    writeFile(dir / "codes.json", index.dump(2) + "\n");
    return codes.size();
}

} // namespace seclog::server
