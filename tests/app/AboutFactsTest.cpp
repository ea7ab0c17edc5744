#include "app/AboutFacts.h"
#include <gtest/gtest.h>

namespace {

SAboutFacts Facts(const std::string& homePage) {
    return {"0.1.0",     "2026-12-09",          "6.4.2",
            "7.88.1",    "/opt/zs/",            "/opt/zs/setup.ini",
            "/home/u/.config/ZentriStock/ZentriStock.conf", homePage};
}

TEST(AboutFacts, RowsTellBuildLibrariesAndFilesInOrder) {
    const std::vector<AboutRow> expected = {
        {"Version", "0.1.0"},
        {"Built", "2026-12-09"},
        {"Licence", "GNU General Public License, version 3 or later"},
        {"Qt", "6.4.2"},
        {"libcurl", "7.88.1"},
        {"Program folder", "/opt/zs/"},
        {"Settings file", "/opt/zs/setup.ini"},
        {"User settings", "/home/u/.config/ZentriStock/ZentriStock.conf"},
    };
    EXPECT_EQ(AboutRows(Facts("")), expected);
}

// The home page follows the Help menu's rule: only a web address is shown as a link.
TEST(AboutFacts, HomePageRowOnlyForAWebAddress) {
    struct Case {
        const char* homePage;
        bool shown;
    };
    for (const Case c : {Case{"https://zentristock.example/", true}, Case{"HTTP://x.example", true},
                         Case{"", false}, Case{"http://", false}, Case{"ftp://x.example", false},
                         Case{"javascript:alert(1)", false}}) {
        const std::vector<AboutRow> rows = AboutRows(Facts(c.homePage));
        ASSERT_EQ(rows.size(), c.shown ? 9u : 8u) << c.homePage;
        if (c.shown) EXPECT_EQ(rows.back(), (AboutRow{"Home page", c.homePage}));
    }
}

TEST(AboutFacts, SupportTextIsTheProgramAndEveryRowALine) {
    EXPECT_EQ(AboutSupportText(Facts("https://zs.example/")),
              "ZentriStock\n"
              "Version: 0.1.0\n"
              "Built: 2026-12-09\n"
              "Licence: GNU General Public License, version 3 or later\n"
              "Qt: 6.4.2\n"
              "libcurl: 7.88.1\n"
              "Program folder: /opt/zs/\n"
              "Settings file: /opt/zs/setup.ini\n"
              "User settings: /home/u/.config/ZentriStock/ZentriStock.conf\n"
              "Home page: https://zs.example/\n");
}

} // namespace
