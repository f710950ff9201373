#pragma once

#include "demo_items.h"

#include <optional>

namespace seclog::server {

class Database;

inline constexpr int kDemoHistoryMonths = 4;

struct DemoHistoryPlan {
    int months = kDemoHistoryMonths;    // from the 1st of the month this many months back
    std::optional<int> division1PerDay; // exactly this many logs a day in division 1
};

// Closed logs of every division on every day from the first day of the month plan.months
// before the current one up to yesterday (local time): 5 to 30 a day and division, fewer on
// Saturdays and Sundays, entering between 06:00 and 21:00 and leaving up to four hours later
// (never after now). The people are the history pool (demo_history_people.h), each with
// their own entry type and vehicle; purposes come from the Purpose list. About one log in
// four carries an invoice ("INV-1234", dated the log's day) from a demo supplier with one to
// three lines of what it sells. Ids follow the rows already stored, in time order; one
// prepared statement per table and batch.
void insertDemoHistory(Database &db, const DemoHistoryPlan &plan, const DemoItemsByKind &items);

} // namespace seclog::server
