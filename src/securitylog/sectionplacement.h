#pragma once

#include "sectionentry.h"

#include <QString>

class securityLogDetailView;
class NavigationController;
class ViewController;

// How the screens that deliver documents put them into the log form's IN or OUT list.
namespace SectionPlacement {

// The navigation stack that presented `presented`'s stack, or null.
NavigationController *presentingStack(ViewController *presented);

// The form a delivering screen writes into: the second screen of the stack that presented
// `presented` (the log list being the first). Null when there is none.
securityLogDetailView *logFormBelow(ViewController *presented);

// Puts a party entry into the list named `section` ("IN" or "OUT"; anything else places nothing
// and returns false). With `insertIndex` at an entry of that list the new entry replaces it,
// keeping its saved detail id and, for an outside-DC return in IN, its DC_id and its mark (so
// it still opens as the party entry it was, not as a DC). Otherwise the
// entry is appended and, when the other list is empty, the form's IN/OUT switch turns to this
// section. An index past the end (the list changed meanwhile) appends rather than loses the
// entry.
bool placePartyEntry(securityLogDetailView &form, const QString &section, SectionEntry entry,
                     int insertIndex, bool outsideDCReturn);

} // namespace SectionPlacement
