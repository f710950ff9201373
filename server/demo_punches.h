#pragma once

namespace seclog::server {

class Database;

// Fingerprint punches of the demo employees around the time the demo is loaded: one old punch
// outside the two-day window and five within it, alternating IN and OUT, on the readers of the
// employee's division. Anitha Joseph and the inactive user's employee have none.
void insertDemoPunches(Database &db);

} // namespace seclog::server
