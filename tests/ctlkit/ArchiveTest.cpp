#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/base/CArchiveWriter.h"
#include <gtest/gtest.h>
#include <limits>

namespace {
std::string Hex(const std::string& bytes, size_t count) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < count && i < bytes.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}
} // namespace

TEST(Archive, NumbersAreLittleEndian) {
    CArchiveWriter w;
    w.WriteInt(0x01020304);
    w.WriteInt(-2);
    w.WriteFloat(1.0f);
    w.WriteByte(0xAB);
    EXPECT_EQ(Hex(w.Bytes(), 13), "04030201"
                                  "feffffff"
                                  "0000803f"
                                  "ab");
}

struct StringFormCase {
    size_t length;
    std::string prefix; // hex of the length prefix
};

class ArchiveStringForm : public ::testing::TestWithParam<StringFormCase> {};

TEST_P(ArchiveStringForm, LengthPrefixAndRoundTrip) {
    const auto& c = GetParam();
    std::string text(c.length, 'x');
    CArchiveWriter w;
    w.WriteString(text);
    ASSERT_EQ(w.Bytes().size(), c.prefix.size() / 2 + c.length);
    EXPECT_EQ(Hex(w.Bytes(), c.prefix.size() / 2), c.prefix);
    CArchiveReader r(w.Bytes());
    std::string back;
    ASSERT_TRUE(r.ReadString(back));
    EXPECT_EQ(back, text);
    EXPECT_TRUE(r.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(Lengths, ArchiveStringForm,
                         ::testing::Values(StringFormCase{0, "00"}, StringFormCase{254, "fe"},
                                           StringFormCase{255, "ffff00"},
                                           StringFormCase{65534, "fffeff"},
                                           StringFormCase{65535, "ffffffffff0000"},
                                           StringFormCase{70000, "ffffff70110100"}));

TEST(Archive, TruncatedReadsFailAndStayFailed) {
    CArchiveWriter w;
    w.WriteInt(7);
    std::string bytes = w.Bytes().substr(0, 3);
    CArchiveReader r(bytes);
    int32_t value = 0;
    EXPECT_FALSE(r.ReadInt(value));
    EXPECT_FALSE(r.Ok());
    EXPECT_NE(r.Error().find("ends early"), std::string::npos);
    uint8_t b;
    EXPECT_FALSE(r.ReadByte(b)) << "a failed archive never reads on";
}

TEST(Archive, StringLongerThanTheFileIsRefused) {
    std::string bytes = "\xff\xff\xff\xff\xff\xff\x7f"
                        "abc"; // 2^31-1 characters announced
    CArchiveReader r(bytes);
    std::string text;
    EXPECT_FALSE(r.ReadString(text));
    EXPECT_TRUE(text.empty());
}

TEST(Archive, CountBeyondTheRemainingBytesIsRefusedWithoutAllocating) {
    CArchiveWriter w;
    w.WriteInt(2000000000);
    w.WriteBytes(std::string(1000, '\0').data(), 1000);
    CArchiveReader r(w.Bytes());
    int32_t count = 0;
    EXPECT_FALSE(r.ReadCount(count, 24));
    EXPECT_NE(r.Error().find("cannot hold"), std::string::npos);

    CArchiveWriter neg;
    neg.WriteInt(-1);
    CArchiveReader rn(neg.Bytes());
    EXPECT_FALSE(rn.ReadCount(count, 1));
}

TEST(Archive, CountThatFitsIsAccepted) {
    CArchiveWriter w;
    w.WriteInt(2);
    w.WriteFloat(1.5f);
    w.WriteFloat(std::numeric_limits<float>::infinity());
    CArchiveReader r(w.Bytes());
    int32_t count = 0;
    ASSERT_TRUE(r.ReadCount(count, 4));
    EXPECT_EQ(count, 2);
    float a = 0, b = 0;
    EXPECT_TRUE(r.ReadFloat(a) && r.ReadFloat(b));
    EXPECT_EQ(a, 1.5f);
    EXPECT_EQ(b, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(r.AtEnd());
}

TEST(Archive, CallerRefusalKeepsTheFirstReason) {
    CArchiveReader r("");
    r.Fail("the period 4 is outside 0 to 3");
    r.Fail("later");
    EXPECT_EQ(r.Error(), "the period 4 is outside 0 to 3");
}

TEST(Archive, ResultIsSuccessUntilTheFirstRefusalThenDamagedWithItsReason) {
    CArchiveWriter w;
    w.WriteInt(7);
    CArchiveReader r(w.Bytes());
    int32_t value = 0;
    ASSERT_TRUE(r.ReadInt(value));
    const CFileResult read = r.Result();
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.message(), "");
    EXPECT_FALSE(r.ReadInt(value));
    const CFileResult cut = r.Result();
    EXPECT_EQ(cut.kind(), CFileResult::EKind::Damaged);
    EXPECT_EQ(cut.message(), "the file ends early: 4 bytes wanted at offset 4, 0 left");
    EXPECT_EQ(cut.message(), r.Error());

    CArchiveReader refused("");
    refused.Fail("");
    EXPECT_EQ(refused.Result().kind(), CFileResult::EKind::Damaged);
    EXPECT_EQ(refused.Result().message(), "a stored value is out of range");
}
