#include "combobox.h"
#include "commonclass.h"
#include "formcells.h"
#include "navigationcontroller.h"
#include "testapp.h"

#include <gtest/gtest.h>

namespace {

TEST(CommonClassTest, DaysInMonthKnowsLeapYears) {
    const auto &theme = CommonClass::shared();
    const struct {
        int month, year, days;
    } cases[] = {{2, 2024, 29},  {2, 2026, 28}, {2, 2000, 29}, {2, 1900, 28},
                 {12, 2026, 31}, {4, 2026, 30}, {13, 2026, 0}, {0, 2026, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(theme.daysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
    EXPECT_EQ(theme.today(), QDate::currentDate());
}

TEST(CommonClassTest, FormStylesApplyOnlyToTheirCells) {
    const auto &theme = CommonClass::shared();
    textFieldCell field;
    theme.style("textbox", &field);
    EXPECT_EQ(field.backgroundColor(), QColor(48, 48, 48));
    EXPECT_EQ(field.textColor(), QColor(Qt::white));
    EXPECT_EQ(field.textFont(), theme.NormalFont);
    EXPECT_EQ(field.titleFont(), theme.MediumFont);

    labelCell label;
    theme.style("textbox", &label); // the text-field style does not fit a label
    EXPECT_FALSE(label.backgroundColor().isValid());
    theme.style("label", &label);
    EXPECT_EQ(label.backgroundColor(), QColor(48, 48, 48));

    for (const char *name : {"", "Label", "textBox", "nothing"}) {
        textFieldCell untouched;
        theme.style(name, &untouched);
        EXPECT_FALSE(untouched.backgroundColor().isValid()) << name;
        EXPECT_FALSE(untouched.textColor().isValid()) << name;
    }
    theme.style("textbox", static_cast<QObject *>(nullptr));
}

TEST(CommonClassTest, PickerStyles) {
    const auto &theme = CommonClass::shared();
    QVariantMap row{{"text", "x"}};
    theme.style("comboxtableviewcell", row);
    EXPECT_EQ(row.value("background").value<QColor>(), QColor(48, 48, 48));
    QVariantMap other{{"text", "x"}};
    theme.style("label", other);
    EXPECT_EQ(other.size(), 1);

    comboBox picker(comboBox::ListOptions{});
    theme.style("comboboxcolor", &picker);
    EXPECT_EQ(picker.backgroundColor(), theme.tableViewRowBC);
}

TEST(CommonClassTest, ColoursFontsAndNavigationStyle) {
    const auto &theme = CommonClass::shared();
    EXPECT_EQ(theme.brightColorSet.size(), 13);
    EXPECT_EQ(theme.brightColorSet.first(), QColor(156, 134, 227));
    EXPECT_EQ(theme.brightColorSet.at(11), QColor(255, 255, 255, 128));
    EXPECT_EQ(theme.orange, QColor(Qt::black));
    EXPECT_EQ(theme.TitleFont.pixelSize(), 15);
    EXPECT_EQ(theme.SmallFont4.pixelSize(), 8);
    EXPECT_EQ(theme.SmallFont4.weight(), QFont::Light);
    NavigationController nav;
    theme.styleNavigation(&nav);
    EXPECT_EQ(nav.barBackgroundColor(), theme.tableViewRowBC);
    EXPECT_EQ(nav.barButtonTintColor(), QColor(Qt::white));
    EXPECT_EQ(nav.titleTextColor(), QColor(Qt::white));
}

} // namespace
