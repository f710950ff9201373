#pragma once

#include <string>

namespace seclog::server {

// SELECT ... FROM ... producing the columns of one security-log row as the client reads
// it, aliases: l = SecurityIOLog, p = Person, d = Division. Parameter ?1 is the
// SecLogFrom cut-off; callers append WHERE/ORDER using ?2 onwards.
extern const char *const kLogRowSelect;

// Lists go back this far; sent to the client as SecLogFrom.
std::string logCutoffDisplay();

} // namespace seclog::server
