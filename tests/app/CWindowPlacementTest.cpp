#include "app/CWindowPlacement.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
CWindowPlacement Placement(unsigned flags, unsigned showCmd, CRect normal) {
    CWindowPlacement placement;
    placement.flags = flags;
    placement.showCmd = showCmd;
    placement.minPosition = {-1, -1};
    placement.maxPosition = {-8, -8};
    placement.normalPosition = normal;
    return placement;
}
} // namespace

TEST(CWindowPlacementTest, ParseAcceptsExactlyTenNumbers) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"2,3,-1,-1,-8,-8,10,20,810,620", true},
        {"0,1,0,0,0,0,0,0,0,0", true},
        {"2,3,-1,-1,-8,-8,10,20,810", false},
        {"2,3,-1,-1,-8,-8,10,20,810,620,5", false},
        {"2,3,-1,-1,-8,-8,10,20,810,", false},
        {"", false},
        {"garbage", false},
        {"2,3,-1,-1,-8,-8,10,20,810,62x", false},
        {"-2,3,-1,-1,-8,-8,10,20,810,620", false},
        {"2, 3,-1,-1,-8,-8,10,20,810,620", false},
        {"2,3,-1,-1,-8,-8,10,20,810,99999999999", false},
        // Ten numbers, but no rectangle a window can have.
        {"0,1,-1,-1,-1,-1,-2147483648,0,2147483647,600", false},
        {"0,1,-1,-1,-1,-1,800,600,10,20", false},
        {"0,1,-1,-1,-1,-1,0,0,65535,65535", true},
        {"0,1,-1,-1,-1,-1,0,0,65536,600", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CWindowPlacement::Parse(c.text).has_value(), c.valid) << c.text;
    }
}

TEST(CWindowPlacementTest, FormatAndParseRoundTrip) {
    const CWindowPlacement placement =
        Placement(WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED, {-30, 40, 1250, 990});
    EXPECT_EQ(placement.Format(), "2,3,-1,-1,-8,-8,-30,40,1250,990");
    EXPECT_EQ(CWindowPlacement::Parse(placement.Format()), placement);
}

TEST(CWindowPlacementTest, ClosingAndStartingAgain) {
    struct Case {
        const char* name;
        unsigned showCmd;
        bool maximised;
        unsigned storedFlags;
        unsigned storedShowCmd;
        bool startsMaximised;
    };
    const Case cases[] = {
        {"normal", SW_SHOWNORMAL, false, 0, SW_SHOWNORMAL, false},
        {"maximised", SW_SHOWMAXIMIZED, true, WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED, true},
        {"minimised", SW_SHOWMINIMIZED, false, 0, SW_SHOWMAXIMIZED, true},
        {"minimised from maximised", SW_SHOWMINIMIZED, true, WPF_RESTORETOMAXIMIZED,
         SW_SHOWMAXIMIZED, true},
    };
    const CRect normal{100, 50, 900, 650};
    for (const Case& c : cases) {
        const CWindowPlacement current = Placement(WPF_RESTORETOMAXIMIZED, c.showCmd, normal);
        const CWindowPlacement stored = CWindowPlacement::ForClosing(current, c.maximised);
        EXPECT_EQ(stored.flags, c.storedFlags) << c.name;
        EXPECT_EQ(stored.showCmd, c.storedShowCmd) << c.name;
        EXPECT_EQ(stored.normalPosition, normal) << c.name;
        const auto next = CWindowPlacement::Parse(stored.Format());
        ASSERT_TRUE(next) << c.name;
        EXPECT_EQ(next->StartsMaximised(), c.startsMaximised) << c.name;
    }
}

TEST(CWindowPlacementTest, NormalRectangleOnNoScreenMovesOntoThePrimary) {
    struct Case {
        const char* name;
        CRect normal;
        CRect expected;
    };
    const std::vector<CRect> screens{{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}};
    const Case cases[] = {
        {"on the primary", {100, 100, 900, 700}, {100, 100, 900, 700}},
        {"partly on the primary", {1800, 1000, 2600, 1600}, {1800, 1000, 2600, 1600}},
        {"partly on the second", {-300, -200, 100, 300}, {-300, -200, 100, 300}},
        {"right of every screen", {2500, 200, 3300, 800}, {1120, 200, 1920, 800}},
        {"below every screen", {100, 1500, 900, 2100}, {100, 480, 900, 1080}},
        {"far up left", {-5000, -3000, -4200, -2400}, {0, 0, 800, 600}},
        {"larger than the primary", {3000, 0, 6000, 2000}, {0, 0, 1920, 1080}},
        {"touching the edge only", {1920, 0, 2720, 600}, {1120, 0, 1920, 600}},
    };
    for (const Case& c : cases) {
        const CWindowPlacement placement = Placement(0, SW_SHOWNORMAL, c.normal);
        const CWindowPlacement moved = placement.OnScreens(screens);
        EXPECT_EQ(moved.normalPosition, c.expected) << c.name;
        EXPECT_EQ(moved.showCmd, SW_SHOWNORMAL) << c.name;
    }
}

TEST(CWindowPlacementTest, NoScreensLeavesThePlacementAlone) {
    const CWindowPlacement placement = Placement(0, SW_SHOWNORMAL, {5000, 5000, 5800, 5600});
    EXPECT_EQ(placement.OnScreens({}), placement);
}
