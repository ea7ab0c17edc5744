#include "app/CStatusBarPanes.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
const std::string kRefused =
    "Pane index out of range\nor pane with same ID already exists in the status bar";

class CStatusBarPanesTest : public ::testing::Test {
protected:
    CRecordingPrompter prompter;
    CScopedPrompter scope{prompter};
    CStatusBarPanes::SLockKeys keys;
    CStatusBarPanes panes{[this] { return keys; }};
};
} // namespace

TEST_F(CStatusBarPanesTest, StartsWithSevenPanesAndTheirTexts) {
    const std::vector<std::pair<unsigned, std::string>> expected{
        {ID_SEPARATOR, ""},
        {ID_INDICATOR_CAPS, ""},
        {ID_INDICATOR_NUM, ""},
        {ID_INDICATOR_SCRL, ""},
        {ID_INDICATOR_XCOORD, "X-Coordinate"},
        {ID_INDICATOR_YCOORD, "Y-Coordinate"},
        {ID_INDICATOR_EXTRA, " "},
    };
    ASSERT_EQ(panes.Count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(panes.IndexOf(expected[i].first), i) << i;
        EXPECT_EQ(panes.Text(i), expected[i].second) << i;
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CStatusBarPanesTest, LockIndicatorsFollowTheKeys) {
    struct Case {
        CStatusBarPanes::SLockKeys keys;
        const char* caps;
        const char* num;
        const char* scroll;
    };
    const Case cases[] = {
        {{false, false, false}, "", "", ""},        {{true, false, false}, "CAP", "", ""},
        {{false, true, false}, "", "NUM", ""},      {{false, false, true}, "", "", "SCRL"},
        {{true, true, true}, "CAP", "NUM", "SCRL"},
    };
    for (const Case& c : cases) {
        keys = c.keys;
        EXPECT_EQ(panes.Text(1), c.caps);
        EXPECT_EQ(panes.Text(2), c.num);
        EXPECT_EQ(panes.Text(3), c.scroll);
        EXPECT_EQ(panes.Text(4), "X-Coordinate");
    }
}

TEST_F(CStatusBarPanesTest, NoKeySourceShowsEveryLockOff) {
    CStatusBarPanes withoutSource{nullptr};
    EXPECT_EQ(withoutSource.Text(1), "");
    EXPECT_EQ(withoutSource.Text(3), "");
}

TEST_F(CStatusBarPanesTest, AddPaneRefusesBadIndexOrTakenId) {
    struct Case {
        int index;
        unsigned id;
        bool added;
    };
    const Case cases[] = {
        {-1, 0xE800, false},      {8, 0xE800, false}, {3, ID_INDICATOR_YCOORD, false},
        {0, ID_SEPARATOR, false}, {7, 0xE800, true},  {0, 0xE801, true},
    };
    for (const Case& c : cases) {
        const int before = panes.Count();
        prompter.messages.clear();
        EXPECT_EQ(panes.AddPane(c.index, c.id, "new"), c.added) << c.index;
        EXPECT_EQ(panes.Count(), before + (c.added ? 1 : 0)) << c.index;
        if (c.added) {
            EXPECT_EQ(panes.IndexOf(c.id), c.index);
            EXPECT_EQ(panes.Text(c.index), "new");
            EXPECT_TRUE(prompter.messages.empty());
        } else {
            EXPECT_EQ(prompter.messages, std::vector<std::string>{kRefused});
        }
    }
    EXPECT_EQ(panes.IndexOf(ID_INDICATOR_XCOORD), 5);
}

TEST_F(CStatusBarPanesTest, SetPaneTextByIndex) {
    struct Case {
        int index;
        const char* text;
        bool set;
        const char* shown;
    };
    keys = {true, true, true};
    const Case cases[] = {
        {0, "Ready", true, "Ready"}, {4, "2024-05-17", true, "2024-05-17"},
        {5, "12.34", true, "12.34"}, {6, "", true, ""},
        {1, "Caps", false, "CAP"},   {3, "Scroll", false, "SCRL"},
        {7, "Beyond", false, ""},    {-1, "Before", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(panes.SetPaneText(c.index, c.text), c.set) << c.index;
        EXPECT_EQ(panes.Text(c.index), c.shown) << c.index;
    }
    EXPECT_EQ(panes.Count(), 7);
}
