#pragma once

#include <string>

namespace seclog::server {

// SELECT ... FROM ... producing the columns of one security-log row as the client reads
// it, aliases: l = SecurityIOLog, p = Person, d = Division. Parameter ?1 is the
// SecLogFrom cut-off; callers append WHERE/ORDER using ?2 onwards.
extern const char *const kLogRowSelect;

// SELECT ... FROM Person p joined with the person's latest log from any division (l, NULLs for
// someone who never came): the columns of a log row, "" where there is no log. While that log
// is open its id goes out in Employee_id, which is where the client looks for it. Parameter ?1
// is the SecLogFrom cut-off; callers append WHERE/ORDER using ?2 onwards.
extern const char *const kPersonLatestLogSelect;

// Lists go back this far; sent to the client as SecLogFrom.
std::string logCutoffDisplay();

} // namespace seclog::server
