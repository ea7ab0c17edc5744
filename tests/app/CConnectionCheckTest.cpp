#include "app/CConnectionCheck.h"
#include <gtest/gtest.h>
#include <set>

namespace {

// The ticks, counted from 1, at which a check starts during the first `ticks` ticks.
std::set<int> StartingTicks(CConnectionCheck& check, int ticks) {
    std::set<int> starts;
    for (int tick = 1; tick <= ticks; ++tick)
        if (check.Tick()) starts.insert(tick);
    return starts;
}

} // namespace

TEST(ConnectionCheck, StartsAtTheFirstTickThenEveryTwelfth) {
    struct Case {
        bool on;
        std::string address;
        std::set<int> starts;
    };
    const Case cases[] = {
        {true, "http://check.example/", {1, 13, 25, 37}},
        {false, "http://check.example/", {}},
        {true, "", {}},
        {false, "", {}},
    };
    for (const Case& c : cases) {
        CConnectionCheck check(c.on, c.address);
        EXPECT_EQ(StartingTicks(check, 40), c.starts) << c.on << " '" << c.address << "'";
        EXPECT_EQ(check.IsActive(), !c.starts.empty());
    }
}

TEST(ConnectionCheck, IndicatorShowsTheLastAnswer) {
    struct Case {
        bool on;
        std::string address;
        std::vector<uintptr_t> answers;
        std::string text;
    };
    const Case cases[] = {
        {true, "http://check.example/", {}, ""},
        {true, "http://check.example/", {1}, "Online"},
        {true, "http://check.example/", {0}, "Offline"},
        {true, "http://check.example/", {1, 0}, "Offline"},
        {true, "http://check.example/", {0, 1}, "Online"},
        {false, "http://check.example/", {1}, ""},
        {true, "", {1}, ""},
    };
    for (const Case& c : cases) {
        CConnectionCheck check(c.on, c.address);
        for (uintptr_t answer : c.answers) check.OnConnectChecked(answer);
        EXPECT_EQ(check.IndicatorText(), c.text) << c.answers.size();
    }
}
