// Stored values of the tools that reach integer maths when drawn: refused on reading where no
// dialog could have made them, held to their range when an element holding one is drawn.
#include "RecordTestSupport.h"
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/dc/CRecordingDC.h"
#include "tools/CArrow.h"
#include "tools/CFiboArc.h"
#include "tools/CFiboFan.h"
#include "tools/CFiboRetrace.h"
#include "tools/CFiboTime.h"
#include "tools/CText.h"
#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

struct SStoredValue {
    const char* what;
    std::function<std::unique_ptr<CSymbol>()> make; // the element with the value set
    const char* reason;                             // empty: the record reads
};

template <typename T> std::function<std::unique_ptr<CSymbol>()> With(std::function<void(T&)> set) {
    return [set] {
        auto element = std::make_unique<T>();
        set(*element);
        return std::unique_ptr<CSymbol>(std::move(element));
    };
}

// The element's record read into a fresh element of the same class; the refusal's reason, or
// empty when it reads (and then writes the same bytes again).
std::string ReadBack(const CSymbol& written,
                     const std::function<std::unique_ptr<CSymbol>()>& make) {
    const std::string bytes = RecordOf(written);
    CArchiveReader ar(bytes);
    std::unique_ptr<CSymbol> read = make();
    const bool ok = read->Read(ar);
    if (ok != ar.Ok()) return "Read and the archive disagree";
    if (!ok) return ar.Error();
    if (RecordOf(*read) != bytes) return "reads back to other bytes";
    return "";
}

TEST(ToolStoredValueTest, ValuesNoDialogMakesAreRefusedWithTheirReason) {
    const std::vector<SStoredValue> cases = {
        {"fan ratio 0", With<CFiboFan>([](CFiboFan& e) { e.ratio = 0; }), ""},
        {"fan ratio 1", With<CFiboFan>([](CFiboFan& e) { e.ratio = 1; }), ""},
        {"fan ratio 1.5", With<CFiboFan>([](CFiboFan& e) { e.ratio = 1.5f; }),
         "a Fibonacci fan ratio of 1.5 (allowed 0 to 1) before offset 900"},
        {"fan ratio NaN", With<CFiboFan>([](CFiboFan& e) { e.ratio = kNaN; }),
         "a Fibonacci fan ratio of nan (allowed 0 to 1) before offset 900"},
        {"arc ratio -0.25", With<CFiboArc>([](CFiboArc& e) { e.ratio = -0.25f; }),
         "a Fibonacci arc ratio of -0.25 (allowed 0 to 1) before offset 900"},
        {"arc ratio infinite", With<CFiboArc>([](CFiboArc& e) { e.ratio = kInfinity; }),
         "a Fibonacci arc ratio of inf (allowed 0 to 1) before offset 900"},
        {"arrow head 100 pixels, factor 1", With<CArrow>([](CArrow& e) {
             e.headLength = 100;
             e.headFactor = 1;
         }),
         ""},
        {"arrow head 0 pixels, factor 0", With<CArrow>([](CArrow& e) {
             e.headLength = 0;
             e.headFactor = 0;
         }),
         ""},
        {"arrow head factor NaN", With<CArrow>([](CArrow& e) { e.headFactor = kNaN; }),
         "a head factor of nan (allowed 0 to 1) before offset 903"},
        {"arrow head factor 3", With<CArrow>([](CArrow& e) { e.headFactor = 3; }),
         "a head factor of 3 (allowed 0 to 1) before offset 903"},
        {"arrow head length INT_MAX", With<CArrow>([](CArrow& e) { e.headLength = INT_MAX; }),
         "a head length of 2147483647 (allowed 0 to 100) before offset 907"},
        {"arrow head length -1", With<CArrow>([](CArrow& e) { e.headLength = -1; }),
         "a head length of -1 (allowed 0 to 100) before offset 907"},
        {"30 levels from -10 to 10", With<CFiboRetrace>([](CFiboRetrace& e) {
             e.levels.assign(30, CFiboRetrace::SLevel{10, 1});
             e.levels[0].ratio = -10;
         }),
         ""},
        {"31 levels",
         With<CFiboRetrace>([](CFiboRetrace& e) { e.levels.assign(31, CFiboRetrace::SLevel{}); }),
         "a Fibonacci level count of 31 (allowed 0 to 30)"},
        {"level ratio NaN", With<CFiboRetrace>([](CFiboRetrace& e) { e.levels[4].ratio = kNaN; }),
         "a Fibonacci level ratio of nan (allowed -10 to 10) before offset 963"},
        {"level ratio 1e30", With<CFiboRetrace>([](CFiboRetrace& e) { e.levels[0].ratio = 1e30f; }),
         "a Fibonacci level ratio of 1e+30 (allowed -10 to 10) before offset 931"},
        {"retracement font height INT_MIN",
         With<CFiboRetrace>([](CFiboRetrace& e) { e.labelFont.lfHeight = INT_MIN; }),
         "a font height of -2147483648 (allowed -4096 to 4096) before offset 904"},
        {"text font width 9999", With<CText>([](CText& e) { e.font.lfWidth = 9999; }),
         "a font width of 9999 (allowed -4096 to 4096) before offset"},
        {"40 zones from bar -2^24", With<CFiboTime>([](CFiboTime& e) {
             e.SetZoneCount(40);
             e.x1 = -16777216.0f;
         }),
         ""},
        {"zones from bar 3e9", With<CFiboTime>([](CFiboTime& e) { e.x1 = 3e9f; }),
         "a time-zone anchor at bar 3000000000.000000"},
        {"zones from bar NaN", With<CFiboTime>([](CFiboTime& e) { e.x1 = kNaN; }),
         "a time-zone anchor at bar nan"},
        {"41 offsets", With<CFiboTime>([](CFiboTime& e) { e.offsets.assign(41, 1); }),
         "a time-zone offset count of 41 (allowed 0 to 40)"},
        {"an offset of 2^31", With<CFiboTime>([](CFiboTime& e) { e.offsets[3] = 0x80000000u; }),
         "a time-zone offset of 2147483648"},
    };
    for (const SStoredValue& c : cases) {
        const std::unique_ptr<CSymbol> element = c.make();
        const std::string reason = ReadBack(*element, c.make);
        if (std::string(c.reason).empty())
            EXPECT_EQ(reason, "") << c.what;
        else
            EXPECT_EQ(reason.find(c.reason), 0u) << c.what << ": " << reason;
    }
}

struct SHeldValue {
    const char* what;
    std::function<std::unique_ptr<CSymbol>()> stored; // a value no reader lets through
    std::function<std::unique_ptr<CSymbol>()> held;   // the value it is drawn as
};

// The line record of a tool named "Symbol" is 896 bytes, of the arrow ("Arrow") 895.

// Geometry and texts of what `element` draws across a 400 x 300 plot of bars 0 to 100.
std::vector<std::string> Drawn(CSymbol& element) {
    CRecordingDC dc;
    element.Draw(dc, 30, 10, 0, 100, CRect{0, 0, 400, 300});
    std::vector<std::string> drawn;
    for (const CRecordingDC::SOp& op : dc.Ops()) {
        std::string text = std::to_string(op.kind) + ":" + op.text;
        for (const CPoint& point : op.points)
            text += " " + std::to_string(point.x) + "," + std::to_string(point.y);
        text += " [" + std::to_string(op.rect.left) + " " + std::to_string(op.rect.top) + " " +
                std::to_string(op.rect.right) + " " + std::to_string(op.rect.bottom) + "]";
        drawn.push_back(text);
    }
    return drawn;
}

template <typename T> void Place(T& element) {
    element.x1 = 10;
    element.y1 = 12;
    element.x2 = 60;
    element.y2 = 28;
}

template <typename T>
std::function<std::unique_ptr<CSymbol>()> Placed(std::function<void(T&)> set) {
    return With<T>([set](T& element) {
        Place(element);
        set(element);
    });
}

TEST(ToolStoredValueTest, ValuesOutOfRangeAreDrawnAsTheNearestAllowedOne) {
    const std::vector<SHeldValue> cases = {
        {"fan ratio NaN", Placed<CFiboFan>([](CFiboFan& e) { e.ratio = kNaN; }),
         Placed<CFiboFan>([](CFiboFan& e) { e.ratio = 0; })},
        {"fan ratio 1e30", Placed<CFiboFan>([](CFiboFan& e) { e.ratio = 1e30f; }),
         Placed<CFiboFan>([](CFiboFan& e) { e.ratio = 1; })},
        {"arc ratio -1e30", Placed<CFiboArc>([](CFiboArc& e) { e.ratio = -1e30f; }),
         Placed<CFiboArc>([](CFiboArc& e) { e.ratio = 0; })},
        {"arc ratio NaN", Placed<CFiboArc>([](CFiboArc& e) { e.ratio = kNaN; }),
         Placed<CFiboArc>([](CFiboArc& e) { e.ratio = 0; })},
        {"arrow head length INT_MAX", Placed<CArrow>([](CArrow& e) { e.headLength = INT_MAX; }),
         Placed<CArrow>([](CArrow& e) { e.headLength = 100; })},
        {"arrow head factor NaN", Placed<CArrow>([](CArrow& e) { e.headFactor = kNaN; }),
         Placed<CArrow>([](CArrow& e) { e.headFactor = 0; })},
        {"arrow head factor 1e30", Placed<CArrow>([](CArrow& e) { e.headFactor = 1e30f; }),
         Placed<CArrow>([](CArrow& e) { e.headFactor = 1; })},
        {"level ratio 1e30",
         Placed<CFiboRetrace>([](CFiboRetrace& e) { e.levels[2].ratio = 1e30f; }),
         Placed<CFiboRetrace>([](CFiboRetrace& e) { e.levels[2].ratio = 10; })},
        {"level ratio NaN", Placed<CFiboRetrace>([](CFiboRetrace& e) { e.levels[2].ratio = kNaN; }),
         Placed<CFiboRetrace>([](CFiboRetrace& e) { e.levels[2].ratio = -10; })},
        {"100 zone offsets", Placed<CFiboTime>([](CFiboTime& e) {
             e.SetZoneCount(40);
             e.offsets.resize(100, 7);
         }),
         Placed<CFiboTime>([](CFiboTime& e) { e.SetZoneCount(40); })},
        {"zones from bar 3e9 with the largest offsets", Placed<CFiboTime>([](CFiboTime& e) {
             e.x1 = 3e9f;
             e.offsets.assign(3, 0xFFFFFFFFu);
         }),
         Placed<CFiboTime>([](CFiboTime& e) {
             e.x1 = 3e9f;
             e.offsets = {1, 2, 3};
         })},
        {"zones from bar NaN", Placed<CFiboTime>([](CFiboTime& e) { e.x1 = kNaN; }),
         Placed<CFiboTime>([](CFiboTime& e) {
             e.x1 = kNaN;
             e.offsets.clear();
         })},
    };
    for (const SHeldValue& c : cases) {
        const auto stored = c.stored();
        const auto held = c.held();
        EXPECT_EQ(Drawn(*stored), Drawn(*held)) << c.what;
    }
}

// A far anchor and the largest offsets still map to columns: each lies at the pixel limit
// instead of wrapping round to the left of the plot.
TEST(ToolStoredValueTest, ZoneColumnsOfAFarAnchorStayToTheRight) {
    CFiboTime zones;
    Place(zones);
    zones.x1 = 16777216.0f;
    zones.offsets = {1, 0x7FFFFFFFu, 0xFFFFFFFFu};
    CRecordingDC dc;
    zones.Draw(dc, 30, 10, 0, 100, CRect{0, 0, 400, 300});
    const auto lines = dc.OpsOf(CRecordingDC::kLine);
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& line : lines) EXPECT_GT(line.points[0].x, 400);
}

} // namespace
