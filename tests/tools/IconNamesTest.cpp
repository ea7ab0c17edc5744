#include "tools/IconNames.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

TEST(IconNames, EveryIconOfTheStripHasItsOwnNameInStripOrder) {
    struct Case {
        int index;
        const char* name;
    };
    const Case cases[] = {{0, "Bull"},           {1, "Bear"},   {7, "Bad"},     {13, "Down-right"},
                          {21, "Triangle flag"}, {26, "Aries"}, {37, "Pisces"}, {38, "Exclamation"},
                          {39, "Question"},      {-1, ""},      {40, ""}};
    for (const Case& c : cases) EXPECT_EQ(IconStrip::IconName(c.index), c.name) << c.index;

    std::set<std::string> names;
    for (int i = 0; i < IconStrip::kIconCount; ++i) {
        ASSERT_FALSE(IconStrip::IconName(i).empty()) << i;
        names.emplace(IconStrip::IconName(i));
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(IconStrip::kIconCount));
}
