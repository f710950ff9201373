#pragma once

#include <string>

namespace seclog::server {

class Database;

// Twelve sales bills of the branch from the last four days, Bill_id 1-12, in every dispatch
// state the gate sees: despatched and approved, despatched but not approved, waiting, cancelled,
// without a dispatch entry or a delivery branch, with a vehicle, driver or LR number missing.
// Four are e-invoices whose QR code is the signed invoice (a JWT of about 950 characters).
void insertDemoBills(Database &db, const std::string &branchCode);

} // namespace seclog::server
