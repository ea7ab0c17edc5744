#include "ViewTestSupport.h"
#include "view/CPaneStack.h"
#include <vector>

namespace {

class PaneStackTest : public ViewTest {};

TEST_F(PaneStackTest, PricePaneTakesTwoSharesAndTheLastPaneTheRest) {
    CStock& s = MakeStock(Bars(10, 1, 2), 3);
    CPaneStack stack(s, 3, CZentriStockView::DefaultAxisSettings());
    stack.Arrange(1280, 801);
    EXPECT_EQ(stack.PaneRect(0), (CRect{0, 0, 1280, 400}));
    EXPECT_EQ(stack.PaneRect(1), (CRect{0, 400, 1280, 600}));
    EXPECT_EQ(stack.PaneRect(2), (CRect{0, 600, 1280, 801}));
    EXPECT_EQ(stack.View(2).clientRect, (CRect{0, 0, 1280, 201}));
    EXPECT_EQ(stack.PaneAt(5, 650), 2);
}

TEST_F(PaneStackTest, TitleButtonLetsOnePaneFillTheWindowAndShareItAgain) {
    CStock& s = MakeStock(Bars(10, 1, 2), 3);
    CPaneStack stack(s, 3, CZentriStockView::DefaultAxisSettings());
    stack.Arrange(600, 400);
    CRecordingDC dc;
    for (int p = 0; p < 3; ++p) stack.View(p).OnDraw(dc);
    const CRect button = stack.View(1).TitleButtonRect();
    ASSERT_GT(button.Width(), 0);
    EXPECT_TRUE(stack.Click(button.left + 2, stack.PaneRect(1).top + button.top + 2));
    EXPECT_TRUE(stack.IsHidden(0));
    EXPECT_FALSE(stack.IsHidden(1));
    EXPECT_TRUE(stack.IsHidden(2));
    stack.Arrange(600, 400);
    EXPECT_EQ(stack.PaneRect(1), (CRect{0, 0, 600, 400}));
    EXPECT_EQ(stack.PaneRect(0), CRect{});

    stack.ToggleSolo(1);
    for (int p = 0; p < 3; ++p) EXPECT_FALSE(stack.IsHidden(p));
    // A click beside the button only redraws.
    const int redraws = stack.Views().RedrawRequests();
    EXPECT_FALSE(stack.Click(500, 300));
    EXPECT_EQ(stack.Views().RedrawRequests(), redraws + 1);
}

TEST_F(PaneStackTest, LowestVisiblePaneIsTheOneWithNoShownPaneBelow) {
    CStock& s = MakeStock(Bars(10, 1, 2), 3);
    CPaneStack stack(s, 3, CZentriStockView::DefaultAxisSettings());
    struct Case {
        std::vector<bool> hidden;
        std::vector<bool> lowest;
    };
    const Case cases[] = {
        {{false, false, false}, {false, false, true}},
        {{false, false, true}, {false, true, true}},
        {{false, true, true}, {true, true, true}},
        // The last pane alone fills the window and still carries the date axis.
        {{true, true, false}, {false, false, true}},
        {{false, true, false}, {false, false, true}},
    };
    for (const Case& c : cases)
        for (int p = 0; p < 3; ++p) {
            for (int h = 0; h < 3; ++h) stack.SetHidden(h, c.hidden[h]);
            EXPECT_EQ(stack.LowestVisiblePane(p), c.lowest[p]) << p;
        }
    stack.SetHidden(0, false);
    stack.SetHidden(1, false);
    stack.SetHidden(2, true);
    // The view asks before it lays out: pane 1 now carries the date axis.
    stack.Arrange(600, 400);
    stack.View(1).Layout();
    EXPECT_TRUE(stack.View(1).showXAxis);
    stack.SetHidden(2, false);
    stack.View(1).Layout();
    EXPECT_FALSE(stack.View(1).showXAxis);
}

TEST_F(PaneStackTest, RelayoutAllClearsTheManualScaleOfEveryPaneAndRedraws) {
    CStock& s = MakeStock(Bars(300, 1, 2), 3);
    CPaneStack stack(s, 3, CZentriStockView::DefaultAxisSettings());
    stack.View(1).ExpandY();
    stack.View(2).SetManualYScale(5, 1);
    EXPECT_TRUE(stack.View(2).manualYScale);
    EXPECT_TRUE(stack.View(0).OnCommand(CZentriStockView::kMoveBackward));
    for (int p = 0; p < 3; ++p) EXPECT_FALSE(stack.View(p).manualYScale) << p;
    EXPECT_EQ(stack.Views().RedrawRequests(), 1);
    EXPECT_EQ(s.SavedFirst(), -1);
    EXPECT_EQ(s.SavedEnd(), 299);
}

} // namespace
