#include "commonclass.h"

#include <gtest/gtest.h>

namespace {

TEST(CommonClassTest, DaysInMonthKnowsLeapYearsAndRefusesImpossibleMonths) {
    const struct {
        int month, year, days;
    } cases[] = {{2, 2024, 29},  {2, 2026, 28}, {2, 2000, 29}, {2, 1900, 28},
                 {12, 2026, 31}, {4, 2026, 30}, {13, 2026, 0}, {0, 2026, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(CommonClass::shared().daysInMonth(c.month, c.year), c.days)
            << c.month << "/" << c.year;
}

} // namespace
