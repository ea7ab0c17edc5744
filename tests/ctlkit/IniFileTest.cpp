#include "ctlkit/base/IniFile.h"
#include <climits>
#include <gtest/gtest.h>

namespace {

TEST(IniFile, TextIsKeptByteForByte) {
    const std::string text = "\xEF\xBB\xBF; comment\r\n[A]\r\nk = v \r\n\r\n  odd line\nlast";
    EXPECT_EQ(IniFile::Parse(text).Text(), text);
    EXPECT_EQ(IniFile::Parse("").Text(), "");
}

TEST(IniFile, NamesAndValuesAreTrimmedAndCaseInsensitive) {
    IniFile ini = IniFile::Parse("  [ Axis_Setting ]  \n   BorderColor  =  12 34  \t\n");
    EXPECT_EQ(ini.Value("AXIS_SETTING", "bordercolor"), "12 34");
    EXPECT_EQ(ini.Value(" axis_setting ", " BORDERCOLOR "), "12 34");
    EXPECT_EQ(ini.SectionNames(), std::vector<std::string>{"Axis_Setting"});
}

TEST(IniFile, ByteOrderMarkIsIgnored) {
    IniFile ini = IniFile::Parse("\xEF\xBB\xBF[S]\nk=v\n");
    EXPECT_EQ(ini.Value("S", "k"), "v");
}

TEST(IniFile, CrLfLinesRead) {
    IniFile ini = IniFile::Parse("[S]\r\nk=v\r\nempty=\r\n");
    EXPECT_EQ(ini.Value("S", "k"), "v");
    EXPECT_EQ(ini.Value("S", "empty"), "");
}

TEST(IniFile, CommentsAreNeitherKeysNorListed) {
    IniFile ini = IniFile::Parse("[S]\n;k=hidden\n  ; also=hidden\nk=shown\n");
    EXPECT_EQ(ini.Value("S", ";k"), std::nullopt);
    EXPECT_EQ(ini.Value("S", "k"), "shown");
    EXPECT_EQ(ini.SectionEntries("S"), std::vector<std::string>{"k=shown"});
}

TEST(IniFile, LineWithoutEqualsIsKeyWithEmptyValue) {
    IniFile ini = IniFile::Parse("[S]\nbare\n");
    EXPECT_EQ(ini.Value("S", "bare"), "");
    EXPECT_EQ(ini.SectionEntries("S"), std::vector<std::string>{"bare"});
}

TEST(IniFile, SectionNameEndsAtLastBracket) {
    IniFile ini = IniFile::Parse("[a]b]\nk=1\n[open\nx=2\n");
    EXPECT_EQ(ini.Value("a]b", "k"), "1");
    // "[open" has no "]": a key line of section "a]b".
    EXPECT_EQ(ini.Value("a]b", "[open"), "");
    EXPECT_EQ(ini.Value("a]b", "x"), "2");
}

TEST(IniFile, LinesBeforeFirstSectionBelongToNone) {
    IniFile ini = IniFile::Parse("k=1\n[S]\nj=2\n");
    EXPECT_EQ(ini.Value("", "k"), std::nullopt);
    EXPECT_EQ(ini.Value("S", "k"), std::nullopt);
    EXPECT_EQ(ini.Value("S", "j"), "2");
}

TEST(IniFile, OnlyFirstSectionAndFirstKeyOfANameCount) {
    IniFile ini = IniFile::Parse("[S]\nk=1\nk=2\n[s]\nk=3\nj=4\n");
    EXPECT_EQ(ini.Value("S", "k"), "1");
    EXPECT_EQ(ini.Value("S", "j"), std::nullopt);
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"S", "s"}));
}

TEST(IniFile, MatchingQuotesAreRemovedFromValues) {
    IniFile ini = IniFile::Parse("[S]\na=\" padded \"\nb='x'\nc=\"x'\nd=\"\ne=\"\"\n");
    EXPECT_EQ(ini.Value("S", "a"), " padded ");
    EXPECT_EQ(ini.Value("S", "b"), "x");
    EXPECT_EQ(ini.Value("S", "c"), "\"x'");
    EXPECT_EQ(ini.Value("S", "d"), "\"");
    EXPECT_EQ(ini.Value("S", "e"), "");
    // The section listing keeps them, as GetPrivateProfileSection does.
    EXPECT_EQ(ini.SectionEntries("S")[0], "a=\" padded \"");
}

TEST(IniFile, SetValueReplacesInPlaceKeepingNameAndSpacing) {
    IniFile ini = IniFile::Parse("[Sec]\n  MyKey = old  \nother=1\n");
    ASSERT_TRUE(ini.SetValue("SEC", "mykey", "new"));
    EXPECT_EQ(ini.Text(), "[Sec]\n  MyKey = new\nother=1\n");
}

TEST(IniFile, SetValueOnBareKeyAddsEquals) {
    IniFile ini = IniFile::Parse("[S]\nbare  \n");
    ASSERT_TRUE(ini.SetValue("S", "bare", "1"));
    EXPECT_EQ(ini.Text(), "[S]\nbare=1\n");
}

TEST(IniFile, NewKeyGoesAfterLastFilledLineOfItsSection) {
    IniFile ini = IniFile::Parse("[A]\na=1\n; note\n\n[B]\nb=2\n");
    ASSERT_TRUE(ini.SetValue("A", "c", "3"));
    EXPECT_EQ(ini.Text(), "[A]\na=1\n; note\nc=3\n\n[B]\nb=2\n");
}

TEST(IniFile, NewKeyInEmptySectionFollowsHeader) {
    IniFile ini = IniFile::Parse("[A]\n\n[B]\n");
    ASSERT_TRUE(ini.SetValue("a", "k", "v"));
    EXPECT_EQ(ini.Text(), "[A]\nk=v\n\n[B]\n");
}

TEST(IniFile, NewSectionAtEndUsingTheFilesLineEnds) {
    IniFile ini = IniFile::Parse("[A]\r\na=1");
    ASSERT_TRUE(ini.SetValue("B", "b", "2"));
    EXPECT_EQ(ini.Text(), "[A]\r\na=1\r\n[B]\r\nb=2\r\n");
    IniFile empty = IniFile::Parse("");
    ASSERT_TRUE(empty.SetValue("S", "k", "v"));
    EXPECT_EQ(empty.Text(), "[S]\nk=v\n");
}

TEST(IniFile, ValueIsCutAtLineBreak) {
    IniFile ini = IniFile::Parse("");
    ASSERT_TRUE(ini.SetValue("S", "k", "first\nsecond=line"));
    EXPECT_EQ(ini.Text(), "[S]\nk=first\n");
    ASSERT_TRUE(ini.SetValue("S", "k", std::string("a\0b", 3)));
    EXPECT_EQ(ini.Value("S", "k"), "a");
}

TEST(IniFile, NamesTheFileCannotHoldAreRefused) {
    IniFile ini = IniFile::Parse("[S]\nk=1\n");
    for (const char* key : {"", "  ", "a=b", "a\nb", ";c", "[x]"})
        EXPECT_FALSE(ini.SetValue("S", key, "v")) << key;
    for (const char* section : {"", " ", "a\nb", "a\rb"})
        EXPECT_FALSE(ini.SetValue(section, "k", "v")) << section;
    EXPECT_EQ(ini.Text(), "[S]\nk=1\n");
}

struct SRefusedName {
    const char* section;
    const char* key;
    const char* message;
};

TEST(IniFile, RefusedNamesAreUnsafeNamesSayingWhichNameAndWhy) {
    const std::vector<SRefusedName> cases = {
        {"S", "a=b", "the key name \"a=b\" cannot be stored in an INI file"},
        {"S", " ;c ", "the key name \";c\" cannot be stored in an INI file"},
        {"S", "  ", "the key name \"\" cannot be stored in an INI file"},
        {" a\nb ", "k", "the section name \"a\nb\" cannot be stored in an INI file"},
        {"", "a=b", "the section name \"\" cannot be stored in an INI file"},
    };
    for (const SRefusedName& c : cases) {
        IniFile ini = IniFile::Parse("[S]\nk=1\n");
        const CFileResult set = ini.SetValue(c.section, c.key, "v");
        EXPECT_EQ(set.kind(), CFileResult::EKind::UnsafeName) << c.message;
        EXPECT_EQ(set.message(), c.message);
        EXPECT_EQ(ini.Text(), "[S]\nk=1\n");
    }
    IniFile ini = IniFile::Parse("");
    const CFileResult set = ini.SetValue("S", "k", "v");
    EXPECT_TRUE(set.ok());
    EXPECT_EQ(set.message(), "");
}

TEST(FitProfileList, EverythingFits) {
    int32_t chars = -1;
    EXPECT_EQ(FitProfileList({"ab", "", "c"}, 2000, chars), (std::vector<std::string>{"ab", "c"}));
    EXPECT_EQ(chars, 5);
}

// 199 strings of 9 characters use 1990 of the 2000 characters, leaving room 10.
std::vector<std::string> NineCharStrings(size_t count) {
    std::vector<std::string> v;
    for (size_t i = 0; i < count; ++i) {
        std::string s = "S" + std::to_string(i);
        s.resize(9, 'x');
        v.push_back(s);
    }
    return v;
}

TEST(FitProfileList, StringThatFillsTheRoomIsCut) {
    auto items = NineCharStrings(200); // the 200th needs 10 of the 10 left
    int32_t chars = 0;
    auto out = FitProfileList(items, 2000, chars);
    ASSERT_EQ(out.size(), 200u);
    EXPECT_EQ(out[198], items[198]);
    EXPECT_EQ(out[199], items[199].substr(0, 8));
    EXPECT_EQ(chars, 1998);
}

TEST(FitProfileList, StringLeavingTwoCharactersIsWholeAndNextIsCut) {
    auto items = NineCharStrings(199);
    items.push_back("seven77");   // 7 <= 10 - 3: whole, room 2
    items.push_back("following"); // cut to 0: dropped
    int32_t chars = 0;
    auto out = FitProfileList(items, 2000, chars);
    ASSERT_EQ(out.size(), 200u);
    EXPECT_EQ(out.back(), "seven77");
    EXPECT_EQ(chars, 1998);
}

TEST(FitProfileList, StringLeavingThreeCharactersIsWholeAndNextKeepsOne) {
    auto items = NineCharStrings(199);
    items.push_back("six666");    // room 3 after it
    items.push_back("following"); // cut to 1
    items.push_back("never");
    int32_t chars = 0;
    auto out = FitProfileList(items, 2000, chars);
    ASSERT_EQ(out.size(), 201u);
    EXPECT_EQ(out[199], "six666");
    EXPECT_EQ(out[200], "f");
    EXPECT_EQ(chars, 1998);
}

TEST(FitProfileList, OneLongString) {
    int32_t chars = 0;
    auto out = FitProfileList({std::string(5000, 'a')}, 2000, chars);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].size(), 1998u);
    EXPECT_EQ(chars, 1998);
    out = FitProfileList({std::string(1997, 'a')}, 2000, chars);
    EXPECT_EQ(out[0].size(), 1997u);
    EXPECT_EQ(chars, 1998); // 1997 + its NUL: everything fitted
    out = FitProfileList({std::string(1998, 'a')}, 2000, chars);
    EXPECT_EQ(out[0].size(), 1998u);
    EXPECT_EQ(chars, 1998); // did not fit whole (needs room 2001), cut to 1998 = itself
}

TEST(ParseLeadingInt, ReadsLikeAtoi) {
    struct Case {
        const char* text;
        int value;
    };
    for (Case c : {Case{"12abc", 12},
                   {"  -7", -7},
                   {"+3", 3},
                   {"abc", 0},
                   {"", 0},
                   {"- 1", 0},
                   {"0x10", 0},
                   {"\t42 43", 42},
                   {"2147483647", INT_MAX},
                   {"2147483648", INT_MAX},
                   {"99999999999999999999999", INT_MAX},
                   {"-2147483648", INT_MIN},
                   {"-2147483649", INT_MIN},
                   {"-99999999999999999999999", INT_MIN},
                   {"007", 7}})
        EXPECT_EQ(ParseLeadingInt(c.text), c.value) << c.text;
}

} // namespace
