#include "element/CRecordFields.h"
#include "element/CSymbol.h"
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A record with a field of every kind, listed the way a class lists its own.
struct SSample {
    int32_t count = 0;
    uint32_t colour = 0;
    int32_t style = 1;
    uint8_t flag = 0;
    float ratio = 0;
    std::string text;
    SPoint point;
    LOGFONT font;
    std::array<uint8_t, 4> block{};
    std::vector<int32_t> items;

    void Fields(CRecordFields& fields) {
        fields.Int(count);
        fields.Int(colour);
        fields.Int(style, 0, 5, "line style");
        fields.Byte(flag);
        fields.Float(ratio);
        fields.String(text);
        fields.Point(point);
        fields.Font(font);
        fields.Block(block);
        fields.List(items, 4, [](CRecordFields& f, int32_t& item) { f.Int(item); });
    }
};

SSample Filled() {
    SSample sample;
    sample.count = -2;
    sample.colour = 0xFF00FF00;
    sample.style = 3;
    sample.flag = 1;
    sample.ratio = 0.5f;
    sample.text = "ab";
    sample.point = {7, -1};
    sample.font.lfHeight = 15;
    sample.font.lfWidth = 6;
    sample.font.lfWeight = 400;
    sample.font.lfItalic = 1;
    std::strcpy(sample.font.lfFaceName, "Arial");
    sample.block = {1, 2, 3, 4};
    sample.items = {9, 10};
    return sample;
}

std::string Written(SSample sample) {
    CArchiveWriter ar;
    CRecordFields fields(ar);
    sample.Fields(fields);
    return ar.Bytes();
}

const std::string kFilledBytes("\xFE\xFF\xFF\xFF"
                               "\x00\xFF\x00\xFF"
                               "\x03\x00\x00\x00"
                               "\x01"
                               "\x00\x00\x00\x3F"
                               "\x02"
                               "ab"
                               "\x07\x00\x00\x00"
                               "\xFF\xFF\xFF\xFF"
                               "\x0F\x00\x00\x00"
                               "\x06\x00\x00\x00"
                               "\x90\x01\x00\x00"
                               "\x01"
                               "\x05"
                               "Arial"
                               "\x01\x02\x03\x04"
                               "\x02\x00\x00\x00"
                               "\x09\x00\x00\x00"
                               "\x0A\x00\x00\x00",
                               63);

TEST(RecordFields, WritesTheFieldsInTheirListedOrderAndReadsThemBack) {
    EXPECT_EQ(Written(Filled()), kFilledBytes);
    SSample read;
    CArchiveReader ar(kFilledBytes);
    CRecordFields fields(ar);
    read.Fields(fields);
    ASSERT_TRUE(fields.Ok()) << ar.Error();
    EXPECT_TRUE(ar.AtEnd());
    EXPECT_EQ(read.count, -2);
    EXPECT_EQ(read.colour, 0xFF00FF00u);
    EXPECT_EQ(read.style, 3);
    EXPECT_EQ(read.flag, 1);
    EXPECT_EQ(read.ratio, 0.5f);
    EXPECT_EQ(read.text, "ab");
    EXPECT_EQ(read.point.x, 7);
    EXPECT_EQ(read.point.y, -1);
    EXPECT_EQ(read.font.lfWeight, 400);
    EXPECT_STREQ(read.font.lfFaceName, "Arial");
    EXPECT_EQ(read.block, (std::array<uint8_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(read.items, (std::vector<int32_t>{9, 10}));
}

// The filled record with byte `at` replaced.
std::string Patched(size_t at, uint8_t value) {
    std::string bytes = kFilledBytes;
    bytes[at] = static_cast<char>(value);
    return bytes;
}

struct SRefusal {
    const char* what;
    std::function<std::string()> bytes;
    std::string reason;
};

TEST(RecordFields, ARefusedFieldLeavesTheFieldsAfterItAsTheyWere) {
    const SRefusal cases[] = {
        {"style out of range", [] { return Patched(8, 6); },
         "a line style of 6 (allowed 0 to 5) before offset 12"},
        {"item count beyond the bytes", [] { return Patched(51, 3); },
         "a count of 3 at offset 51 that the 8 bytes left cannot hold"},
        {"record cut in the text", [] { return kFilledBytes.substr(0, 19); },
         "the file ends early: 2 bytes wanted at offset 18, 1 left"},
    };
    for (const SRefusal& c : cases) {
        SSample read;
        read.flag = 7;
        read.items = {42};
        const std::string bytes = c.bytes();
        CArchiveReader ar(bytes);
        CRecordFields fields(ar);
        read.Fields(fields);
        EXPECT_FALSE(fields.Ok()) << c.what;
        EXPECT_EQ(ar.Error(), c.reason) << c.what;
        EXPECT_EQ(read.items, (std::vector<int32_t>{42})) << c.what;
    }
}

TEST(RecordFields, ElementRecordCarriesTheIndicatorMarkAndRefusesAnotherType) {
    CSymbol marked;
    marked.indicatorMark = 1;
    marked.x2 = 4.5f;
    CArchiveWriter out;
    marked.Write(out);
    const std::string bytes = out.Bytes();
    ASSERT_EQ(bytes.size(), 615u);
    EXPECT_EQ(bytes.substr(615 - 256, 4), std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(marked.block2[0], 0); // writing leaves the element as it was

    CSymbol read;
    CArchiveReader in(bytes);
    ASSERT_TRUE(read.Read(in)) << in.Error();
    EXPECT_EQ(read.indicatorMark, 1);
    EXPECT_EQ(read.x2, 4.5f);

    CSymbol other;
    other.typeCode = 5;
    CArchiveReader refused(bytes);
    EXPECT_FALSE(other.Read(refused));
    EXPECT_EQ(refused.Error(), "an element record of type 0 where type 5 was announced");
}

} // namespace
