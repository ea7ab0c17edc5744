#include "../tools/RecordTestSupport.h"
#include "ChartTestSupport.h"
#include "ctlkit/base/CArchiveReader.h"
#include "indicators/CTradeFlag.h"
#include "series/CCurve.h"
#include <cstring>

namespace {

// The element record of a fresh element named `name`: 25 fixed ints and floats, the name,
// and the two blocks, the first holding the period 1.
std::string FreshSymbolRecord(int code, const std::string& name) {
    std::string bytes = Le32(code);
    bytes += std::string(7 * 4 + 6 * 4 + 8 + 4 * 4, '\0');
    bytes += Counted(name);
    bytes += std::string(4 * 4, '\0');
    bytes += Le32(1) + std::string(252, '\0');
    bytes += std::string(256, '\0');
    return bytes;
}

TEST(ElementRecordTest, CurveAndFlagRecordsFollowTheElementRecord) {
    CCurve curve;
    curve.values = {1.5f, kInvalid};
    std::string expected = FreshSymbolRecord(36, "Symbol") + Le32(0) + Le32(1) + Le32(0x00FF00) +
                           Le32(0x00FF00) + Le32(0) + Le32(1) + Le32(1) + Counted("NO Name") +
                           Counted("NO Parameter") + Le32(2) + LeF(1.5f) + Le32(0x7F800000) +
                           std::string(256, '\0');
    EXPECT_EQ(RecordOf(curve), expected);

    CTradeFlag flag;
    flag.values = {0, 12.5f};
    flag.direction = CTradeFlag::kSell;
    flag.colour = 0xFF;
    flag.symbol = 9;
    expected = FreshSymbolRecord(38, "Symbol") + Le32(2) + LeF(0) + LeF(12.5f) + Le32(0) +
               Le32(0xFF) + Le32(0x808080) + Le32(9) + Counted("") + std::string(12, '\0') +
               std::string(1, '\0') + Counted("") + std::string(256, '\0');
    EXPECT_EQ(RecordOf(flag), expected);
}

TEST(ElementRecordTest, TradeFlagReadsBackWhatItWrote) {
    CTradeFlag flag;
    SetCommonFields(flag);
    flag.values = {0, 3.25f, 0};
    flag.direction = CTradeFlag::kSell;
    flag.colour = 0xFF;
    flag.secondColour = 1;
    flag.symbol = 13;
    flag.text.assign(1, 't'); // = "t" draws a false -Wrestrict from GCC 12 here
    flag.font.lfHeight = -11;
    std::strcpy(flag.font.lfFaceName, "Arial");
    flag.block[7] = 7;
    const std::string bytes = RecordOf(flag);
    CTradeFlag read;
    CArchiveReader ar(bytes);
    ASSERT_TRUE(read.Read(ar));
    EXPECT_EQ(RecordOf(read), bytes);
    EXPECT_EQ(read.values, flag.values);
    EXPECT_EQ(read.symbol, 13);
}

TEST(ElementRecordTest, CurveStyleAndWidthOutOfRangeAreRefused) {
    const size_t widthAt = 615 + 20;
    for (auto [offset, value] : std::vector<std::pair<size_t, int>>{
             {widthAt, 21}, {widthAt, -1}, {widthAt + 4, 14}, {widthAt + 4, -1}}) {
        const std::string bytes = Patched(RecordOf(CCurve()), offset, value);
        CArchiveReader ar(bytes);
        EXPECT_FALSE(CCurve().Read(ar)) << offset << " " << value;
    }
    for (auto [offset, value] :
         std::vector<std::pair<size_t, int>>{{widthAt, 20}, {widthAt + 4, 13}, {widthAt + 4, 0}}) {
        const std::string bytes = Patched(RecordOf(CCurve()), offset, value);
        CArchiveReader ar(bytes);
        EXPECT_TRUE(CCurve().Read(ar)) << offset << " " << value << ar.Error();
    }
}

} // namespace
