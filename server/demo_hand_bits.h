#pragma once

#include "demo_items.h"

#include <string>

namespace seclog::server {

class Database;

// Ten hand-bit DCs from the last fortnight, HB_id 1-10: yarn of one to three colours given to
// three hand-bit workers at home by Weaving and Processing, and brought back. Selvi Devi's
// mobile is that of the demo person of that name; the other two have never been logged at the
// gate. One DC is all white. Needs the demo departments, employees and items.
void insertDemoHandBits(Database &db, const std::string &branchCode, const DemoItemsByKind &items);

} // namespace seclog::server
