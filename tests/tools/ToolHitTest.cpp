#include "ToolTestSupport.h"
#include "tools/CEllipse.h"
#include "tools/CGChannel.h"
#include "tools/CHorizontal.h"
#include "tools/CIco.h"
#include "tools/CLine.h"
#include "tools/CRectangle.h"
#include "tools/CText.h"
#include "tools/CTriangle.h"
#include "tools/CVertical.h"
#include <gtest/gtest.h>
#include <memory>

using namespace ExactPane;

namespace {
struct SToolHits {
    const char* what;
    std::unique_ptr<CLine> tool;
    CPoint handle; // hit while selected
    int handleCode;
    CPoint body;
    CPoint miss;
};

template <typename Tool> std::unique_ptr<CLine> Made(int px1, int py1, int px2, int py2) {
    return std::make_unique<Tool>(Between<Tool>(px1, py1, px2, py2));
}

std::unique_ptr<CLine> ChannelWithBothParallels() {
    auto channel = Made<CGChannel>(100, 300, 200, 300);
    channel->DragHandle(5, 150, 512 - 250);
    channel->DragHandle(6, 150, 512 - 350);
    return channel;
}

std::unique_ptr<CLine> TriangleWithThirdPoint() {
    auto triangle = Made<CTriangle>(100, 100, 200, 100);
    triangle->DragHandle(5, 150, 512 - 200);
    return triangle;
}

std::unique_ptr<CLine> TextOfOneLine() {
    auto text = Made<CText>(100, 100, 100, 100);
    static_cast<CText&>(*text).text = "Top"; // 18 x 15 pixels
    return text;
}
} // namespace

TEST(ToolHitTest, HandlesComeFirstAndAMissKeepsOnlyAHandleDragsCode) {
    SToolHits cases[] = {
        {"line", Made<CLine>(100, 100, 200, 200), {100, 100}, 3, {150, 150}, {300, 100}},
        {"line's second end", Made<CLine>(100, 100, 200, 200), {201, 199}, 4, {150, 151}, {0, 0}},
        {"rectangle", Made<CRectangle>(100, 100, 200, 150), {200, 100}, 6, {150, 100}, {150, 125}},
        {"ellipse", Made<CEllipse>(100, 100, 200, 150), {100, 150}, 5, {150, 100}, {150, 125}},
        {"triangle", TriangleWithThirdPoint(), {150, 200}, 5, {125, 150}, {150, 150}},
        {"channel", ChannelWithBothParallels(), {150, 350}, 6, {120, 250}, {120, 200}},
        {"vertical", Made<CVertical>(100, 100, 200, 200), {100, 100}, 3, {100, 300}, {110, 300}},
        {"horizontal",
         Made<CHorizontal>(100, 100, 200, 100),
         {101, 101},
         3,
         {300, 100},
         {300, 110}},
        {"icon", Made<CIco>(100, 100, 100, 100), {100, 100}, 3, {117, 110}, {118, 110}},
        {"text", TextOfOneLine(), {100, 100}, 3, {119, 116}, {120, 110}},
    };
    for (const SToolHits& c : cases) {
        SCOPED_TRACE(c.what);
        CLine* tool = c.tool.get();
        CRecordingDC dc;
        DrawIn(*tool, dc);
        EXPECT_EQ(tool->HitTest(c.body.x, c.body.y), 1);
        EXPECT_EQ(tool->HitTest(c.miss.x, c.miss.y), 0);
        tool->Select();
        ASSERT_EQ(tool->HitTest(c.handle.x, c.handle.y), c.handleCode);
        tool->BeginTracking();
        EXPECT_EQ(tool->HitTest(c.miss.x, c.miss.y), c.handleCode);
        tool->EndTracking();
        EXPECT_EQ(tool->HitTest(c.miss.x, c.miss.y), 0);
        EXPECT_EQ(tool->hitState, c.handleCode);
        EXPECT_EQ(tool->HitTest(c.body.x, c.body.y), 2);
        EXPECT_EQ(tool->grabPoint.x, c.body.x);
        EXPECT_EQ(tool->grabPoint.y, c.body.y);
        EXPECT_EQ(tool->HitTest(c.miss.x, c.miss.y), 0);
        EXPECT_EQ(tool->hitState, 0);
    }
}
