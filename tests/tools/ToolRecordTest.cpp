#include "RecordTestSupport.h"
#include "ctlkit/base/CArchiveReader.h"
#include "series/CCurve.h"
#include "tools/CArrow.h"
#include "tools/CCycle.h"
#include "tools/CEllipse.h"
#include "tools/CFiboArc.h"
#include "tools/CFiboFan.h"
#include "tools/CFiboRetrace.h"
#include "tools/CFiboTime.h"
#include "tools/CGChannel.h"
#include "tools/CGannFan.h"
#include "tools/CGannLine.h"
#include "tools/CHorizontal.h"
#include "tools/CIco.h"
#include "tools/CLineReg.h"
#include "tools/CRectangle.h"
#include "tools/CSDChannel.h"
#include "tools/CSEChannel.h"
#include "tools/CSpeed.h"
#include "tools/CText.h"
#include "tools/CTriangle.h"
#include "tools/CVertical.h"
#include "tools/ElementFactory.h"
#include <cstring>
#include <functional>
#include <memory>

namespace {

TEST(ElementTest, BaseFieldsStartAsTheRecordSays) {
    const CLine line;
    EXPECT_EQ(line.name, "Symbol");
    EXPECT_EQ(line.Period(), 1);
    EXPECT_EQ(line.block1[0], 1);
    EXPECT_EQ(line.block1[4], 0);
    EXPECT_EQ(line.hitTolerance, 1);
    EXPECT_EQ(line.indicatorMark, 0);
    EXPECT_EQ(line.owner, nullptr);
    EXPECT_EQ(line.lineWidth, 1);
    EXPECT_EQ(line.lineStyle, 1);
    EXPECT_EQ(line.color, 0u);
    EXPECT_TRUE(line.snapField.empty());
}

TEST(ElementRecordTest, LineRecordIsLaidOutFieldByField) {
    CLine line;
    line.plotBottom = 7;
    line.hitState = 2;
    line.x1 = 10;
    line.y1 = 20.5f;
    line.x2 = 30;
    line.y2 = -1;
    line.grabPoint = {3, 4};
    line.placed = 1;
    line.extendRight = 1;
    line.color = 0x00112233;
    line.lineStyle = 3;
    line.lineWidth = 2;
    line.snapField = "high";
    std::string expected = Le32(1) + Le32(7) + Le32(2) + std::string(5 * 4, '\0') +
                           std::string(6 * 4, '\0') + Le32(3) + Le32(4) + LeF(10) + LeF(20.5f) +
                           LeF(30) + LeF(-1) + Counted("Symbol") + std::string(3 * 4, '\0') +
                           Le32(1) + Le32(1) + std::string(252 + 256, '\0');
    expected += Le32(0) + Le32(1) + Le32(0) + Le32(0x00112233) + Le32(3) + Le32(2) +
                Counted("high") + std::string(256, '\0');
    EXPECT_EQ(RecordOf(line), expected);
}

struct SRecordSize {
    std::function<std::unique_ptr<CSymbol>()> make;
    int code;
    size_t ownBytes; // what the class adds after the line record
};

TEST(ElementRecordTest, EveryToolRecordHasItsSize) {
    const std::vector<SRecordSize> cases = {
        {[] { return std::make_unique<CLine>(); }, 1, 0},
        {[] { return std::make_unique<CRectangle>(); }, 2, 0},
        {[] { return std::make_unique<CArrow>(); }, 3, 12 + 256},
        {[] { return std::make_unique<CCycle>(); }, 6, 4 + 256},
        {[] { return std::make_unique<CEllipse>(); }, 7, 256},
        {[] { return std::make_unique<CFiboArc>(); }, 8, 4 + 256},
        {[] { return std::make_unique<CFiboFan>(); }, 9, 4 + 32 + 256},
        {[] { return std::make_unique<CFiboRetrace>(); }, 10, 4 + 19 + 4 + 9 * 8 + 256},
        {[] { return std::make_unique<CFiboTime>(); }, 11, 4 + 4 + 8 * 4 + 256},
        {[] { return std::make_unique<CGannLine>(); }, 12, 256},
        {[] { return std::make_unique<CGannFan>(); }, 13, 9 * 8 + 256},
        {[] { return std::make_unique<CGChannel>(); }, 15, 8 + 16 + 256},
        {[] { return std::make_unique<CSDChannel>(); }, 16, 8 + 16 + 256},
        {[] { return std::make_unique<CSEChannel>(); }, 17, 8 + 16 + 256},
        {[] { return std::make_unique<CHorizontal>(); }, 19, 256},
        {[] { return std::make_unique<CLineReg>(); }, 20, 8},
        {[] { return std::make_unique<CSpeed>(); }, 24, 3 * 8 + 256},
        {[] { return std::make_unique<CTriangle>(); }, 27, 8 + 16 + 256 + 256},
        {[] { return std::make_unique<CVertical>(); }, 28, 256},
        {[] { return std::make_unique<CIco>(); }, 29, 4},
        {[] { return std::make_unique<CText>(); }, 30, 4 + 1 + 19 + 256},
    };
    for (const SRecordSize& c : cases) {
        const auto element = c.make();
        SCOPED_TRACE(c.code);
        EXPECT_EQ(element->TypeCode(), c.code);
        const std::string bytes = RecordOf(*element);
        const size_t lineRecord = 608 + 1 + element->name.size() + 6 * 4 + 1 + 256;
        EXPECT_EQ(bytes.size(), lineRecord + c.ownBytes);
        EXPECT_EQ(bytes.substr(0, 4), Le32(c.code));
    }
}

TEST(ElementRecordTest, FactoryCreatesTheClassOfEachCode) {
    const std::vector<std::pair<int, int>> created = {
        {1, 1},   {2, 2},   {3, 3},   {6, 6},   {7, 7},   {8, 8},   {9, 9},   {10, 10},
        {11, 11}, {12, 12}, {13, 13}, {15, 15}, {16, 16}, {17, 17}, {19, 19}, {20, 20},
        {24, 24}, {27, 27}, {28, 28}, {29, 29}, {30, 30}, {36, 36}, {51, 29}, {90, 29}};
    for (auto [code, type] : created) {
        const auto element = CreateToolElement(code);
        ASSERT_TRUE(element) << code;
        EXPECT_EQ(element->TypeCode(), type) << code;
    }
    for (int code : {0, 4, 5, 14, 18, 21, 22, 23, 25, 26, 31, 37, 38, 50, 91, -1})
        EXPECT_EQ(CreateToolElement(code), nullptr) << code;
}

TEST(ElementRecordTest, IconToolCodeGivesIconNumber) {
    for (auto [code, number] : std::vector<std::pair<int, int>>{{51, 0}, {60, 9}, {90, 39}}) {
        const auto element = CreateToolElement(code);
        const auto* icon = dynamic_cast<const CIco*>(element.get());
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->iconNumber, number);
        EXPECT_EQ(icon->iconSize, 18);
    }
}

TEST(ElementRecordTest, ToolDefaultsAreTheDocumentedOnes) {
    EXPECT_EQ(CCycle().cycleCount, 3);
    EXPECT_EQ(CFiboArc().ratio, 0.618f);
    EXPECT_EQ(CFiboFan().ratio, 0.618f);
    EXPECT_EQ(CFiboTime().zoneCount, 8);
    EXPECT_EQ(CFiboTime().offsets, (std::vector<uint32_t>{1, 1, 2, 3, 5, 8, 13, 21}));
    const CArrow arrow;
    EXPECT_EQ(arrow.headLength, 5);
    EXPECT_EQ(arrow.headFactor, 0.2f);
    EXPECT_EQ(arrow.headFlag, 1);
    const CText text;
    EXPECT_EQ(text.textColour, 0x808080u);
    EXPECT_STREQ(text.font.lfFaceName, "Arial");
    EXPECT_EQ(text.font.lfHeight, 15);
    EXPECT_EQ(text.font.lfWidth, 6);
    EXPECT_EQ(text.font.lfWeight, 400);
    const CFiboRetrace retrace;
    ASSERT_EQ(retrace.levels.size(), 9u);
    EXPECT_EQ(retrace.levels[4].ratio, 0.618f);
    EXPECT_EQ(retrace.levels[8].ratio, 4.236f);
    EXPECT_EQ(retrace.labelColour, 0x808080u);
    const CGChannel channel;
    EXPECT_EQ(channel.upperShown, 1);
    EXPECT_EQ(channel.lowerShown, 1);
    CFiboTime zones;
    zones.SetZoneCount(10);
    EXPECT_EQ(zones.offsets, (std::vector<uint32_t>{1, 1, 2, 3, 5, 8, 13, 21, 34, 55}));
}

struct SRoundTrip {
    int code;
    std::function<void(CSymbol&)> change;
};

TEST(ElementRecordTest, EveryElementKindReadsBackWhatItWrote) {
    const std::vector<SRoundTrip> cases = {
        {1, [](CSymbol&) {}},
        {2, [](CSymbol&) {}},
        {3,
         [](CSymbol& e) {
             auto& a = dynamic_cast<CArrow&>(e);
             a.headFlag = 0;
             a.headFactor = 0.75f;
             a.headLength = 12;
             a.ownBlock[1] = 3;
         }},
        {6, [](CSymbol& e) { dynamic_cast<CCycle&>(e).cycleCount = 100; }},
        {7, [](CSymbol& e) { dynamic_cast<CEllipse&>(e).ownBlock[9] = 1; }},
        {8, [](CSymbol& e) { dynamic_cast<CFiboArc&>(e).ratio = 0.5f; }},
        {9,
         [](CSymbol& e) {
             auto& f = dynamic_cast<CFiboFan&>(e);
             f.ratio = 0.7f;
             f.fanPoints = {SPoint{1, 2}, SPoint{3, 4}, SPoint{5, 6}, SPoint{7, 8}};
         }},
        {10,
         [](CSymbol& e) {
             auto& r = dynamic_cast<CFiboRetrace&>(e);
             r.labelColour = 0x123456;
             r.labelFont.lfItalic = 1;
             std::strcpy(r.labelFont.lfFaceName, "Courier New");
             r.levels = {{0.25f, 0}, {3.5f, 1}};
         }},
        {11, [](CSymbol& e) { dynamic_cast<CFiboTime&>(e).SetZoneCount(40); }},
        {12, [](CSymbol& e) { dynamic_cast<CGannLine&>(e).ownBlock[0] = 2; }},
        {13,
         [](CSymbol& e) {
             auto& g = dynamic_cast<CGannFan&>(e);
             for (int i = 0; i < 9; ++i) g.endPoints[i] = {i * 10, -i};
         }},
        {15,
         [](CSymbol& e) {
             auto& c = dynamic_cast<CGChannel&>(e);
             c.x3 = 1;
             c.y3 = 2;
             c.x4 = 3;
             c.y4 = 4;
             c.upperShown = 0;
         }},
        {16, [](CSymbol& e) { dynamic_cast<CSDChannel&>(e).y3 = 8.5f; }},
        {17, [](CSymbol& e) { dynamic_cast<CSEChannel&>(e).lowerShown = 0; }},
        {19, [](CSymbol& e) { dynamic_cast<CHorizontal&>(e).SetValue(70); }},
        {20,
         [](CSymbol& e) {
             auto& r = dynamic_cast<CLineReg&>(e);
             r.intercept = 2.5f;
             r.slope = -0.125f;
         }},
        {24,
         [](CSymbol& e) {
             dynamic_cast<CSpeed&>(e).endPoints = {SPoint{90, 90}, SPoint{90, 30}, SPoint{90, 60}};
         }},
        {27,
         [](CSymbol& e) {
             auto& t = dynamic_cast<CTriangle&>(e);
             t.x3 = 6;
             t.y3 = 7;
             t.channelBlock[3] = 1;
             t.ownBlock[4] = 1;
         }},
        {28, [](CSymbol& e) { dynamic_cast<CVertical&>(e).ownBlock[5] = 5; }},
        {60, [](CSymbol& e) { dynamic_cast<CIco&>(e).iconNumber = 39; }},
        {30,
         [](CSymbol& e) {
             auto& t = dynamic_cast<CText&>(e);
             t.text = "buy here";
             t.textColour = 0xFF;
             t.font.lfWeight = 700;
         }},
        {36,
         [](CSymbol& e) {
             auto& c = dynamic_cast<CCurve&>(e);
             c.values = {1, 2, kInvalid};
             c.name = "MA";
             c.parameter = "5";
             c.colour = 0x0000FF;
             c.drawKind = 13;
             c.lineWidth = 20;
             c.secondLineSetting = 1;
             c.extraColour1 = 0xFF;
         }},
    };
    for (const SRoundTrip& c : cases) {
        SCOPED_TRACE(c.code);
        auto element = CreateToolElement(c.code);
        ASSERT_TRUE(element);
        const std::string plain = RecordOf(*element);
        SetCommonFields(*element);
        c.change(*element);
        const std::string bytes = RecordOf(*element);
        EXPECT_NE(bytes, plain);
        auto read = CreateToolElement(element->TypeCode());
        CArchiveReader ar(bytes);
        ASSERT_TRUE(read->Read(ar)) << ar.Error();
        EXPECT_TRUE(ar.AtEnd());
        EXPECT_EQ(RecordOf(*read), bytes);
        EXPECT_EQ(read->Period(), 5);
        EXPECT_EQ(read->x2, 40.0f);
    }
}

struct SRefusal {
    const char* what;
    int code;
    size_t offsetAfterLine; // of the patched int, counted from the end of the line record
    int32_t value;
};

TEST(ElementRecordTest, StoredValuesOutOfRangeAreRefused) {
    const size_t lineEnd = 608 + 1 + 6 + 24 + 1 + 256; // name "Symbol", empty snap field
    const size_t styleAt = 608 + 1 + 6 + 16;
    const std::vector<SRefusal> cases = {
        {"line style 6", 1, styleAt - lineEnd, 6},
        {"line style -1", 1, styleAt - lineEnd, -1},
        {"line width 11", 1, styleAt + 4 - lineEnd, 11},
        {"cycle count 0", 6, 0, 0},
        {"cycle count 101", 6, 0, 101},
        {"time-zone count 0", 11, 0, 0},
        {"time-zone count 41", 11, 0, 41},
        {"icon number 40", 29, 0, 40},
        {"icon number -1", 29, 0, -1},
        {"offset count beyond the bytes", 11, 4, 100000},
        {"level count beyond the bytes", 10, 4 + 19, 1000},
    };
    for (const SRefusal& c : cases) {
        SCOPED_TRACE(c.what);
        const auto element = CreateToolElement(c.code);
        const std::string good = RecordOf(*element);
        {
            CArchiveReader ar(good);
            ASSERT_TRUE(CreateToolElement(c.code)->Read(ar));
        }
        const std::string bad = Patched(good, lineEnd + c.offsetAfterLine, c.value);
        CArchiveReader ar(bad);
        EXPECT_FALSE(CreateToolElement(c.code)->Read(ar));
        EXPECT_FALSE(ar.Ok());
    }
}

TEST(ElementRecordTest, RecordOfAnotherTypeIsRefused) {
    const std::string horizontal = RecordOf(CHorizontal());
    CArchiveReader ar(horizontal);
    EXPECT_FALSE(CVertical().Read(ar));
    EXPECT_NE(ar.Error().find("type 19"), std::string::npos);
}

TEST(ElementRecordTest, EveryShortenedRecordIsRefused) {
    CFiboRetrace retrace;
    SetCommonFields(retrace);
    const std::string bytes = RecordOf(retrace);
    for (size_t length = 0; length < bytes.size(); ++length) {
        CArchiveReader ar(std::string_view(bytes).substr(0, length));
        EXPECT_FALSE(CFiboRetrace().Read(ar)) << length;
    }
}

TEST(ElementRecordTest, TranslatedPriceNamesReadAsTheirCode) {
    for (auto [stored, code] : std::vector<std::pair<std::string, std::string>>{{"Open", "open"},
                                                                                {"High", "high"},
                                                                                {"Low", "low"},
                                                                                {"Close", "close"},
                                                                                {"close", "close"},
                                                                                {"MA", "MA"},
                                                                                {"", ""}}) {
        CLine line;
        line.snapField = stored;
        const std::string bytes = RecordOf(line);
        CLine read;
        CArchiveReader ar(bytes);
        ASSERT_TRUE(read.Read(ar));
        EXPECT_EQ(read.snapField, code) << stored;
    }
}

TEST(ElementRecordTest, LongTextsUseTheThreeStringForms) {
    struct SForm {
        size_t length;
        std::string prefix;
    };
    const std::vector<SForm> forms = {
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {65534, std::string("\xFF\xFE\xFF", 3)},
        {65535, std::string("\xFF\xFF\xFF", 3) + Le32(65535)},
    };
    for (const SForm& form : forms) {
        CText text;
        text.text.assign(form.length, 'x');
        const std::string bytes = RecordOf(text);
        const size_t at = 896 - 6 + text.name.size() + 4;
        EXPECT_EQ(bytes.substr(at, form.prefix.size()), form.prefix) << form.length;
        CText read;
        CArchiveReader ar(bytes);
        ASSERT_TRUE(read.Read(ar));
        EXPECT_EQ(read.text, text.text);
    }
}

} // namespace
