#pragma once

#include "demo_items.h"

#include <filesystem>
#include <string>

namespace seclog::server {

class Database;

// The divisions' godowns and twelve transfers between them from the last week,
// GodownTransfer_id 1-12: yarn from Spinning to Weaving and Processing, grey fabric from
// Weaving to Processing, chemicals and packing back, some still to leave their gate and some
// on their way in, each with 1 to 3 lots of a production plan and a picture of the goods under
// Security/GTImages/. Needs the demo people, employees and items.
void insertDemoGodownTransfers(Database &db, const std::string &branchCode,
                               const DemoItemsByKind &items);
void writeDemoGodownTransferPictures(const std::filesystem::path &filesDir);

} // namespace seclog::server
