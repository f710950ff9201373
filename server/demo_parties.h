#pragma once

#include "demo_items.h"

#include <array>

namespace seclog::server {

class Database;

struct DemoSupplier {
    const char *name, *city;
    ItemKind sells;
};

// Index + 1 is the Party_id.
extern const std::array<DemoSupplier, 40> kDemoSuppliers;

// Textile towns (a few without a supplier yet) and the suppliers, each in one of them.
void insertDemoParties(Database &db);

} // namespace seclog::server
