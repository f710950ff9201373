#pragma once

#include "demo_items.h"

#include <filesystem>
#include <string>

namespace seclog::server {

class Database;

// Twenty-two delivery challans of the branch from the last fortnight, DC_id 1-22: each
// division's DCs to another division (some still to leave, some on their way in) and to outside
// parties (repairs, job work, goods sent back), returnable or not, approved, waiting or
// rejected, outside DCs partly or wholly back, each with 1 to 5 lines of the demo's items and 1
// to 3 pictures under Security/DCImages/. Every division has DCs in each of those states. The
// decided ones were approved or rejected on their own day. Carriers are the demo's drivers and
// visitors. Adds the departments it names that are missing. Needs the demo people, employees,
// parties and items.
void insertDemoDCs(Database &db, const std::string &branchCode, const DemoItemsByKind &items);
void writeDemoDCPictures(const std::filesystem::path &filesDir);

// "SPN", "WVG", "PRC": how document numbers name the demo's divisions 1 to 3.
const char *demoDivisionShortName(int division);

} // namespace seclog::server
