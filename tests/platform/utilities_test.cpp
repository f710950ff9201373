#include "manualtimer.h"
#include "oneshottimer.h"
#include "searchcontroller.h"
#include "testapp.h"
#include "userdefaults.h"

#include <gtest/gtest.h>
#include <QSignalSpy>

namespace {

TEST(UserDefaultsTest, SetContainsAndRemoveAll) {
    IsolatedDefaults isolated;
    UserDefaults &d = UserDefaults::standard();
    EXPECT_TRUE(d.keys().isEmpty());
    d.setValue(QStringLiteral("master"), QStringLiteral("{}"));
    d.setValue(QStringLiteral("Gate/Last"), 3);
    d.setValue(QStringLiteral("remember"), true);
    EXPECT_TRUE(d.contains(QStringLiteral("master")));
    EXPECT_TRUE(d.contains(QStringLiteral("Gate/Last")));
    EXPECT_EQ(d.value(QStringLiteral("Gate/Last")).toInt(), 3);
    d.removeObject(QStringLiteral("remember"));
    EXPECT_FALSE(d.contains(QStringLiteral("remember")));
    EXPECT_EQ(d.keys().size(), 2);

    d.removeAll();
    EXPECT_TRUE(d.keys().isEmpty());
    for (const char *key : {"master", "Gate/Last", "remember"})
        EXPECT_FALSE(d.contains(QString::fromLatin1(key))) << key;
}

TEST(UserDefaultsTest, IsolatedStoresDoNotSeeEachOther) {
    {
        IsolatedDefaults first;
        UserDefaults::standard().setValue(QStringLiteral("master"), QStringLiteral("x"));
        UserDefaults::standard().synchronize();
    }
    IsolatedDefaults second;
    EXPECT_FALSE(UserDefaults::standard().contains(QStringLiteral("master")));
}

TEST(OneShotTimerTest, FactoryChoosesTheTimer) {
    EXPECT_NE(dynamic_cast<QtOneShotTimer *>(OneShotTimer::create().get()), nullptr);
    ManualTimers timers;
    {
        ManualTimers::Scope scope(timers);
        auto timer = OneShotTimer::create();
        EXPECT_NE(dynamic_cast<ManualTimer *>(timer.get()), nullptr);
        EXPECT_EQ(timers.created.size(), 1);
        int fired = 0;
        timer->start(30000, [&] { ++fired; });
        EXPECT_EQ(timer->interval(), 30000);
        timers.created.at(0)->fire();
        timers.created.at(0)->fire(); // single shot
        EXPECT_EQ(fired, 1);
    }
    EXPECT_NE(dynamic_cast<QtOneShotTimer *>(OneShotTimer::create().get()), nullptr);
}

TEST(OneShotTimerTest, QtTimerFiresOnceAndCancelStopsIt) {
    QtOneShotTimer timer;
    int fired = 0;
    timer.start(0, [&] { ++fired; });
    EXPECT_TRUE(timer.isActive());
    processEvents();
    processEvents();
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer.isActive());

    timer.start(0, [&] { fired += 10; });
    timer.cancel();
    EXPECT_FALSE(timer.isActive());
    processEvents();
    EXPECT_EQ(fired, 1);
}

struct TypingCase {
    const char *name;
    QStringList typed; // "<clear>" clears from code
    QStringList heard;
};

class SearchTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(SearchTyping, NotifiesOncePerRealChange) {
    SearchController search;
    QStringList heard;
    search.onTextChange = [&](const QString &t) { heard << t; };
    QSignalSpy changed(&search, &SearchController::textChanged);
    for (const QString &t : GetParam().typed) {
        if (t == QLatin1String("<clear>"))
            search.clear();
        else
            search.setText(t);
    }
    EXPECT_EQ(heard, GetParam().heard);
    EXPECT_EQ(changed.count(), GetParam().heard.size());
    EXPECT_EQ(search.text(), GetParam().heard.isEmpty() ? QString() : GetParam().heard.last());
}

INSTANTIATE_TEST_SUITE_P(
    Search, SearchTyping,
    ::testing::Values(TypingCase{"Typing", {"a", "ab", "abc"}, {"a", "ab", "abc"}},
                      TypingCase{"SameTextTwice", {"a", "a"}, {"a"}},
                      TypingCase{"ClearAfterText", {"gate", "<clear>"}, {"gate", ""}},
                      TypingCase{"ClearWhenEmpty", {"<clear>"}, {}},
                      TypingCase{"BackspaceToEmpty", {"a", ""}, {"a", ""}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SearchControllerTest, SearchButtonAndKeyboard) {
    SearchController search;
    int searches = 0;
    search.searchButtonClicked(); // no listener yet
    search.onSearchButton = [&] { ++searches; };
    QSignalSpy dismissed(&search, &SearchController::keyboardDismissed);
    search.searchButtonClicked();
    search.resignFirstResponder();
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(dismissed.count(), 1);
}

} // namespace
