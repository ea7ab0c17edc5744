#include "app/FrameLinks.h"
#include "app/FrameCommands.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

SDownloadSettings Addresses(std::string home, std::string forum, std::string realTime) {
    SDownloadSettings s;
    s.homePage = std::move(home);
    s.forum = std::move(forum);
    s.realTime = std::move(realTime);
    return s;
}

} // namespace

TEST(FrameLinks, WebCommandsOpenTheirConfiguredAddress) {
    struct Case {
        unsigned command;
        SDownloadSettings settings;
        std::string symbol;
        std::string target;
        std::string reason;
    };
    const Case cases[] = {
        {kCmdVisitHomePage, Addresses("https://home.example/", "", ""), "IBM",
         "https://home.example/", ""},
        {kCmdVisitForum, Addresses("", "http://home.example/forum", ""), "IBM",
         "http://home.example/forum", ""},
        {kCmdVisitHomePage, Addresses("HTTPS://Home.example/%s", "", ""), "IBM",
         "HTTPS://Home.example/%s", ""},
        {kCmdRealTimeMarket, Addresses("", "", "https://q.example/chart?s=%s&t=1d"), "IBM",
         "https://q.example/chart?s=IBM&t=1d", ""},
        {kCmdRealTimeMarket, Addresses("", "", "https://q.example/%s?s=%s"), "^DJI",
         "https://q.example/%5EDJI?s=%5EDJI", ""},
        {kCmdRealTimeMarket, Addresses("", "", "https://q.example/?s=%s"), "A&B %s",
         "https://q.example/?s=A%26B%20%25s", ""},
        {kCmdRealTimeMarket, Addresses("", "", "https://q.example/live"), "IBM",
         "https://q.example/live", ""},
        {kCmdVisitHomePage, Addresses("", "https://f.example/", "https://q.example/"), "IBM", "",
         ""},
        {kCmdVisitForum, Addresses("ftp://home.example/", "ftp://home.example/forum", ""), "IBM",
         "", "The address ftp://home.example/forum is not a web address."},
        {kCmdVisitHomePage, Addresses("javascript:alert(1)", "", ""), "IBM", "",
         "The address javascript:alert(1) is not a web address."},
        {kCmdRealTimeMarket, Addresses("", "", "file:///etc/%s"), "passwd", "",
         "The address file:///etc/%s is not a web address."},
        {kCmdVisitHomePage, Addresses("http://", "", ""), "IBM", "",
         "The address http:// is not a web address."},
        {kCmdVisitHomePage, Addresses(" http://home.example/", "", ""), "IBM", "",
         "The address  http://home.example/ is not a web address."},
        {kCmdFileOpen, Addresses("https://home.example/", "", ""), "IBM", "", ""},
    };
    for (const Case& c : cases) {
        SFrameLink link = WebLink(c.command, c.settings, c.symbol);
        EXPECT_EQ(link.target, c.target) << c.command << " " << c.symbol;
        EXPECT_EQ(link.reason, c.reason) << c.command << " " << c.symbol;
    }
}

TEST(FrameLinks, WebCommandWithoutAddressIsHidden) {
    struct Case {
        unsigned command;
        SDownloadSettings settings;
        bool shown;
    };
    const Case cases[] = {
        {kCmdVisitHomePage, Addresses("", "", ""), false},
        {kCmdVisitForum, Addresses("", "", ""), false},
        {kCmdRealTimeMarket, Addresses("", "", ""), false},
        {kCmdVisitHomePage, Addresses("https://home.example/", "", ""), true},
        {kCmdVisitForum, Addresses("https://home.example/", "", ""), false},
        {kCmdVisitForum, Addresses("", "ftp://home.example/forum", ""), true},
        {kCmdRealTimeMarket, Addresses("", "", "https://q.example/?s=%s"), true},
        {kCmdHelpContent, Addresses("", "", ""), true},
        {kCmdDataDownloader, Addresses("", "", ""), true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsShown(c.command, c.settings), c.shown) << c.command;
}

TEST(FrameLinks, HelpOpensTheIndexOrSaysItIsMissing) {
    char tmpl[] = "/tmp/zs-help-XXXXXX";
    const std::string home = ::mkdtemp(tmpl);
    const CInstallPaths paths(home);
    const std::string index = home + "/help/index.html";

    SFrameLink missing = HelpLink(paths);
    EXPECT_EQ(missing.target, "");
    EXPECT_EQ(missing.reason, "The help file " + index + " cannot be found.");

    fs::create_directories(index); // a folder of that name is no help page
    EXPECT_EQ(HelpLink(paths).target, "");
    fs::remove(index);

    std::ofstream(index) << "<html></html>";
    SFrameLink present = HelpLink(paths);
    EXPECT_EQ(present.target, index);
    EXPECT_EQ(present.reason, "");
    fs::remove_all(home);
}

TEST(FrameLinks, ShippedHelpPageIsPlainHtml) {
    std::ifstream in(std::string(ZS_SAMPLE_DIR) + "/help/index.html");
    ASSERT_TRUE(in) << "the sample installation ships a help page";
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("<title>ZentriStock Help</title>"), std::string::npos);
    EXPECT_EQ(text.find("<script"), std::string::npos);
}
