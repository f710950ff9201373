#include "manualtimer.h"
#include "oneshottimer.h"
#include "searchcontroller.h"
#include "testapp.h"
#include "userdefaults.h"

#include <gtest/gtest.h>

namespace {

TEST(UserDefaultsTest, RemoveAllForgetsEveryKey) {
    IsolatedDefaults isolated;
    UserDefaults &d = UserDefaults::standard();
    d.setValue(QStringLiteral("master"), QStringLiteral("{}"));
    d.setValue(QStringLiteral("Gate/Last"), 3);
    d.setValue(QStringLiteral("remember"), true);
    d.removeObject(QStringLiteral("remember"));
    EXPECT_EQ(d.keys().size(), 2);
    EXPECT_EQ(d.value(QStringLiteral("Gate/Last")).toInt(), 3);
    d.removeAll();
    EXPECT_TRUE(d.keys().isEmpty());
    EXPECT_FALSE(d.contains(QStringLiteral("Gate/Last")));
}

TEST(OneShotTimerTest, FactoryChoosesTheTimerAndEachFiresOnce) {
    ManualTimers timers;
    {
        ManualTimers::Scope scope(timers);
        auto timer = OneShotTimer::create();
        ASSERT_EQ(timers.created.size(), 1);
        int fired = 0;
        timer->start(30000, [&] { ++fired; });
        timers.created.at(0)->fire();
        timers.created.at(0)->fire();
        EXPECT_EQ(fired, 1);
    }
    auto real = OneShotTimer::create();
    ASSERT_NE(dynamic_cast<QtOneShotTimer *>(real.get()), nullptr);
    int fired = 0;
    real->start(0, [&] { ++fired; });
    processEvents();
    processEvents();
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(real->isActive());
    real->start(0, [&] { fired += 10; });
    real->cancel();
    processEvents();
    EXPECT_EQ(fired, 1);
}

struct TypingCase {
    const char *name;
    QStringList typed; // "<clear>" clears from code
    QStringList heard;
};

class SearchTyping : public ::testing::TestWithParam<TypingCase> {};

// Each change the list hears sends a search, so it must hear each real change exactly once.
TEST_P(SearchTyping, NotifiesOncePerRealChange) {
    SearchController search;
    search.searchButtonClicked(); // no listener: nothing happens
    QStringList heard;
    search.onTextChange = [&](const QString &t) { heard << t; };
    for (const QString &t : GetParam().typed)
        t == QLatin1String("<clear>") ? search.clear() : search.setText(t);
    EXPECT_EQ(heard, GetParam().heard);
    EXPECT_EQ(search.text(), GetParam().heard.isEmpty() ? QString() : GetParam().heard.last());
}

INSTANTIATE_TEST_SUITE_P(Search, SearchTyping,
                         ::testing::Values(TypingCase{"Typing", {"a", "ab"}, {"a", "ab"}},
                                           TypingCase{"SameTextTwice", {"a", "a"}, {"a"}},
                                           TypingCase{
                                               "ClearAfterText", {"gate", "<clear>"}, {"gate", ""}},
                                           TypingCase{"ClearWhenEmpty", {"<clear>"}, {}}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
