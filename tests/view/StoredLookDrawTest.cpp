// A series read from a file may hold looks no dialog makes (a font of INT_MIN pixels, a line
// weight of two billion): each is drawn as the nearest look the program allows.
#include "ViewTestSupport.h"
#include "view/CPaneStack.h"
#include <climits>
#include <functional>

namespace {

class StoredLookDrawTest : public ViewTest {
protected:
    // Geometry and texts of the chart window with `set` applied to its series.
    std::vector<std::string> Drawn(const std::function<void(CStock&)>& set) {
        CStock& s = MakeStock(Bars(30, 1, 2), 2);
        set(s);
        CPaneStack stack(s, 2, CZentriStockView::DefaultAxisSettings());
        stack.Arrange(640, 480);
        CRecordingDC dc;
        for (int pane = 0; pane < stack.Count(); ++pane) stack.View(pane).OnDraw(dc);
        std::vector<std::string> drawn;
        for (const CRecordingDC::SOp& op : dc.Ops()) {
            std::string text =
                std::to_string(op.kind) + ":" + op.text + " pen " + std::to_string(op.pen.width);
            for (const CPoint& point : op.points)
                text += " " + std::to_string(point.x) + "," + std::to_string(point.y);
            text += " [" + std::to_string(op.rect.left) + " " + std::to_string(op.rect.top) + " " +
                    std::to_string(op.rect.right) + " " + std::to_string(op.rect.bottom) + "]";
            drawn.push_back(text);
        }
        return drawn;
    }
};

struct SHeldLook {
    const char* what;
    std::function<void(CStock&)> stored;
    std::function<void(CStock&)> held;
};

TEST_F(StoredLookDrawTest, LooksOutOfRangeDrawAsTheNearestAllowedOne) {
    const std::vector<SHeldLook> cases = {
        {"axis font height INT_MIN", [](CStock& s) { s.ViewPar(0).axisFont.lfHeight = INT_MIN; },
         [](CStock& s) { s.ViewPar(0).axisFont.lfHeight = -4096; }},
        {"axis font width INT_MIN", [](CStock& s) { s.ViewPar(1).axisFont.lfWidth = INT_MIN; },
         [](CStock& s) { s.ViewPar(1).axisFont.lfWidth = -4096; }},
        {"axis font width INT_MAX", [](CStock& s) { s.ViewPar(0).axisFont.lfWidth = INT_MAX; },
         [](CStock& s) { s.ViewPar(0).axisFont.lfWidth = 4096; }},
        {"label font height 2e9", [](CStock& s) { s.ViewPar(0).labelFont.lfHeight = 2000000000; },
         [](CStock& s) { s.ViewPar(0).labelFont.lfHeight = 4096; }},
        {"label font width INT_MIN", [](CStock& s) { s.ViewPar(1).labelFont.lfWidth = INT_MIN; },
         [](CStock& s) { s.ViewPar(1).labelFont.lfWidth = -4096; }},
        {"OHLC line weight INT_MAX",
         [](CStock& s) {
             s.SetViewSwitchA(1);
             s.SetViewSwitchC(INT_MAX);
         },
         [](CStock& s) {
             s.SetViewSwitchA(1);
             s.SetViewSwitchC(6);
         }},
        {"line weight INT_MIN",
         [](CStock& s) {
             s.SetViewSwitchA(4);
             s.SetViewSwitchC(INT_MIN);
         },
         [](CStock& s) {
             s.SetViewSwitchA(4);
             s.SetViewSwitchC(1);
         }},
        {"price style 99", [](CStock& s) { s.SetViewSwitchA(99); },
         [](CStock& s) { s.SetViewSwitchA(0); }},
    };
    for (const SHeldLook& c : cases) {
        const std::vector<std::string> stored = Drawn(c.stored);
        const std::vector<std::string> held = Drawn(c.held);
        EXPECT_EQ(stored, held) << c.what;
    }
}

// A font of INT_MIN pixels takes the height of the tallest font a record may hold, no more.
TEST_F(StoredLookDrawTest, AFontOfIntMinPixelsTakesTheTallestHeightARecordHolds) {
    CStock& s = MakeStock(Bars(30, 1, 2), 2);
    s.ViewPar(0).axisFont.lfHeight = INT_MIN;
    CPaneStack stack(s, 2, CZentriStockView::DefaultAxisSettings());
    stack.Arrange(640, 480);
    CRecordingDC dc;
    stack.View(0).OnDraw(dc);
    const CZentriStockView& view = stack.View(0);
    EXPECT_EQ(view.clientRect.bottom - view.plotRect.bottom, 4096 + view.margin);
}

} // namespace
