#include "database.h"
#include "procedure_params.h"
#include "procedures.h"
#include "request_error.h"

namespace seclog::server {
namespace {

// A bill and its dispatch, for the gate to verify, in the branch of the user in CreatedBy.
// A printed bill's QR code holds "BILL" and its number, and the guard types the number, to
// which the client puts "BILL" in front: BillCode is therefore the number with or without
// "BILL" before it, case ignored. An e-invoice's QR code holds the signed invoice instead,
// which the client sends as SignedQRCode and which must match whole. BillDate is
// "dd/MM/yyyy". DeliveryBranch, IsDespatched and Status are left out of a bill that has no
// delivery branch or no dispatch entry yet.
nlohmann::json billOfCode(ProcedureContext &context, const nlohmann::json &data) {
    const std::string signedCode = textParam(data, "SignedQRCode");
    const std::string code = signedCode.empty() ? textParam(data, "BillCode") : std::string();
    const std::int64_t user = positiveIdParam(data, "CreatedBy");
    if (signedCode.empty() && code.empty())
        throw RequestError("BillCode or SignedQRCode is required");
    nlohmann::json bills = context.db.query(
        "SELECT b.Bill_id, b.BillCode, strftime('%d/%m/%Y', b.BillDate) AS BillDate, "
        "b.PartyName, b.DeliveryBranch, b.VehicleNo, b.DriverName, b.LRNo, b.BillStatus, "
        "b.IsDespatched, b.Status "
        "FROM Bill b JOIN Users u ON u.Users_id = ?3 AND u.BranchCode = b.BranchCode "
        "WHERE (?2 = '' AND (b.BillCode = ?1 COLLATE NOCASE "
        "                    OR 'BILL' || b.BillCode = ?1 COLLATE NOCASE)) "
        "OR (?2 <> '' AND b.SignedQRCode = ?2)",
        {code, signedCode, user});
    for (auto &bill : bills)
        for (const char *key : {"DeliveryBranch", "IsDespatched", "Status"})
            if (bill[key].is_null())
                bill.erase(key);
    return bills;
}

} // namespace

void addBillProcedures(ProcedureRegistry &registry) {
    registry.add("USP_tblTProdBillSelect", "reqType", "BILL_SELECT", billOfCode);
}

} // namespace seclog::server
