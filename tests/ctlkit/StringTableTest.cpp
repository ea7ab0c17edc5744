#include "ctlkit/lang/StringTable.h"
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Every identifier the program shows a built-in text for.
const std::vector<unsigned> kQuotedIds = {
    1,   2,   3,   10,  17,  18,  19,  20,  21,  22,  23,  24,  25,  31,  32,  35,  39,  40,  41,
    42,  43,  44,  45,  46,  47,  48,  49,  50,  51,  88,  97,  134, 501, 503, 504, 505, 506, 507,
    508, 509, 510, 512, 513, 514, 515, 550, 551, 552, 553, 554, 555, 556, 557, 558, 559, 560};

TEST(StringTable, HoldsExactlyTheQuotedIdentifiers) {
    std::vector<unsigned> ids(BuiltInStringIds(nullptr, 0));
    BuiltInStringIds(ids.data(), static_cast<unsigned>(ids.size()));
    EXPECT_EQ(ids, kQuotedIds);
    for (unsigned id : kQuotedIds) {
        ASSERT_NE(BuiltInString(id), nullptr) << id;
        EXPECT_LT(std::strlen(BuiltInString(id)), 1024u) << id;
    }
}

TEST(StringTable, TextsAsQuoted) {
    EXPECT_STREQ(
        BuiltInString(1),
        "The data file of the selected stock is not exist.\nClick yes to download the data.");
    EXPECT_STREQ(BuiltInString(10), "This action will redownload the whole data of this stock.\n "
                                    "And maybe cause some previous data losing. Do you want to "
                                    "proceed?");
    EXPECT_STREQ(BuiltInString(97), " Data DownLoading running");
    EXPECT_STREQ(BuiltInString(39), "Sunday");
    EXPECT_STREQ(BuiltInString(45), "Saturday");
    EXPECT_STREQ(BuiltInString(51), "Volume");
    EXPECT_STREQ(BuiltInString(134), "Profit Percentage");
    EXPECT_STREQ(BuiltInString(514),
                 "EOD Data of MetaStock Format   (*.txt)|*.txt|All Files (*.*)|*.*|");
    EXPECT_STREQ(BuiltInString(552), "Data error in line %d of file %s.");
}

TEST(StringTable, NamedWithoutTextOrUnknownIsAbsent) {
    for (unsigned id : {0u, 37u, 38u, 59u, 77u, 98u, 502u, 511u, 5310u, 65535u})
        EXPECT_EQ(BuiltInString(id), nullptr) << id;
}

} // namespace
