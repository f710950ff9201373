#pragma once

#include "demo_items.h"

#include <string>

namespace seclog::server {

class Database;

// Store POs of the branch over the last five months, each ordering 2 to 6 items of what its
// supplier sells (fewer when a small item master lacks them). Needs the demo parties.
void insertDemoStorePOs(Database &db, const std::string &branchCode, const DemoItemsByKind &items);

} // namespace seclog::server
