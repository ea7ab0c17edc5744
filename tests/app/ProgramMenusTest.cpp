#include "app/ProgramMenus.h"
#include "app/FrameCommands.h"
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

// An item text as the user reads it: without the mnemonic marks and the shortcut.
std::string PlainText(std::string_view text) {
    std::string plain;
    text = text.substr(0, text.find('\t'));
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

// The mnemonic letters of `text`, lower case ("&&" is a literal ampersand).
std::string Mnemonics(std::string_view text) {
    std::string letters;
    text = text.substr(0, text.find('\t'));
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') letters += char(std::tolower((unsigned char)text[i + 1]));
        ++i;
    }
    return letters;
}

const SMenuItem* FindPopup(const CMenuTable& table, const std::string& name) {
    for (const SMenuItem& item : table)
        if (item.kind == SMenuItem::Kind::Popup && PlainText(item.text) == name) return &item;
    return nullptr;
}

// Calls `check` with the items of the menu bar itself and of every pop-up below it.
template <class Check> void ForEachItemList(const CMenuTable& items, const Check& check) {
    check(items);
    for (const SMenuItem& item : items)
        if (item.kind == SMenuItem::Kind::Popup) ForEachItemList(item.items, check);
}

struct MenuCommandCase {
    const char* popup;
    unsigned id;
    const char* text;
};

const std::vector<MenuCommandCase> kChartWindowCommands = {
    {"File", 57600, "New"},
    {"File", kCmdNewChartOfSymbol, "New Chart of Active Symbol"},
    {"File", kCmdNewChartWithPanes, "New Chart with Panes..."},
    {"File", kCmdNewChartFromTemplate, "New Chart from Template..."},
    {"File", 57601, "Open"},
    {"File", 57602, "Close"},
    {"File", 57603, "Save"},
    {"File", 32844, "Save Chart Template"},
    {"File", kCmdPrint, "Print..."},
    {"File", kCmdPrintPreview, "Print Preview"},
    {"File", kCmdPageSetup, "Page Setup..."},
    {"File", 57665, "Exit"},
    {"Edit", 32840, "Apply Template"},
    {"Edit", 32891, "New Template"},
    {"Edit", 33032, "Delete All Curves"},
    {"Edit", 33033, "Delete All Symbols"},
    {"Edit", 57635, "Cut"},
    {"Edit", 57634, "Copy"},
    {"Edit", 57637, "Paste"},
    {"Edit", 32829, "Delete"},
    {"View", 59392, "Main Toolbar"},
    {"View", 59393, "Status Bar"},
    {"View", 32773, "Stock Info Panel"},
    {"View", 32771, "Stock Name Panel"},
    {"View", 32913, "Fund Distribution"},
    {"View", 32879, "Chart Control"},
    {"View", 32880, "Trend Line"},
    {"View", 32881, "Channel and Regression"},
    {"View", 32882, "Fibonacci and Gan"},
    {"View", 32883, "Symbol and Text"},
    {"View", 32887, "Show Stock List"},
    {"View", 32889, "Data File List"},
    {"View", 32888, "Favorites"},
    {"View", 32799, "Move Forward"},
    {"View", 32800, "Move Backward"},
    {"View", 32801, "Quick Forward"},
    {"View", 32802, "Quick Backward"},
    {"View", 32803, "Move to Begin"},
    {"View", 32804, "Move to End"},
    {"View", 32835, "Broaden Candle Line"},
    {"View", 32834, "Narrow the Candle Line"},
    {"View", 32936, "Daily"},
    {"View", 32937, "Weekly"},
    {"View", 32938, "Monthly"},
    {"View", 32942, "User Defined Period"},
    {"View", 32838, "Zoom In"},
    {"View", 32839, "Zoom Out"},
    {"View", 32981, "Expand in Y-Axis"},
    {"View", 32983, "Shrink in Y-Axis"},
    {"View", 32876, "Zoom Reset"},
    {"View", kCmdDisplayRange, "Display Range..."},
    {"View", 32878, "Y-Scale Setting"},
    {"View", kCmdViewCrosshair, "Crosshair"},
    {"View", 32877, "Refresh Data"},
    {"Insert", 32785, "SMA"},
    {"Insert", 32805, "VWMA"},
    {"Insert", 32806, "EMA"},
    {"Insert", 32809, "BOL"},
    {"Insert", 32812, "KC"},
    {"Insert", 32814, "MAE"},
    {"Insert", 32815, "SAR"},
    {"Insert", 33034, "52 Weeks High and Low"},
    {"Insert", 32788, "VOL"},
    {"Insert", 32990, "VOLP"},
    {"Insert", 32787, "STC"},
    {"Insert", 32786, "MACD"},
    {"Insert", 32807, "ADX"},
    {"Insert", 32808, "ATR"},
    {"Insert", 32810, "CCI"},
    {"Insert", 32813, "MTM"},
    {"Insert", 32816, "ROC"},
    {"Insert", 32820, "MFI"},
    {"Insert", 32821, "OBV"},
    {"Insert", 32988, "RSI"},
    {"Insert", 32989, "VOLA"},
    {"Insert", 32991, "VAO"},
    {"Insert", 32992, "Williams %R"},
    {"Insert", 32823, "SMA Trade Flags"},
    {"Insert", 32826, "VWMA Trade Flags"},
    {"Insert", 32827, "EMA Trade Flags"},
    {"Insert", 32828, "SAR Trade Flags"},
    {"Insert", 32824, "STC Trade Flags"},
    {"Insert", 32825, "MACD Trade Flags"},
    {"Insert", 32817, "Trend Line"},
    {"Insert", 32819, "Trend Arrow"},
    {"Insert", 32849, "Cycle Lines"},
    {"Insert", 32818, "Rectangle"},
    {"Insert", 32850, "Ellipse"},
    {"Insert", 32851, "Fibonacci Arc"},
    {"Insert", 32852, "Fibonacci Fan"},
    {"Insert", 32853, "Fibonacci Retracement"},
    {"Insert", 32854, "Fibonacci Time Zone"},
    {"Insert", 32856, "Gann Line"},
    {"Insert", 32857, "Gann Fan"},
    {"Insert", 32860, "Equidistant Channel"},
    {"Insert", 32861, "Standard Deviation Channel"},
    {"Insert", 32862, "Standard Error Channel"},
    {"Insert", 32864, "Horizontal Line"},
    {"Insert", 32911, "Triangle"},
    {"Insert", 32865, "Linear Regression"},
    {"Insert", 32868, "Speed Resistance Line"},
    {"Insert", 32870, "Vertical Line"},
    {"Insert", 32871, "Symbols"},
    {"Insert", 32872, "Text"},
    {"Download", 32781, "ReDownload EOD Data"},
    {"Download", 32779, "Update EOD Data"},
    {"Download", 32985, "Update Stock List"},
    {"Tools", 32987, "Data Downloader"},
    {"Tools", 32973, "Gann Table"},
    {"Setting", 32904, "Selected Object"},
    {"Setting", 33027, "Chart Title Setting"},
    {"Setting", 33028, "Axis Setting"},
    {"Setting", 32962, "Chart Window Setting"},
    {"Setting", 33030, "Organize Favorites"},
    {"Setting", 32905, "Price Curve Setting"},
    {"Setting", 32907, "Y-Scale Setting"},
    {"Setting", 32968, "Option"},
    {"Window", 57650, "Cascade"},
    {"Window", 57651, "Tile"},
    {"Window", 57649, "Arrange Icons"},
    {"Help", 32961, "Content"},
    {"Help", 33046, "Indicator Descriptions..."},
    {"Help", 33031, "Visit Forum"},
    {"Help", 32986, "Visit Home Page"},
    {"Help", 57664, "About"},
};

class ChartWindowMenuCommand : public ::testing::TestWithParam<MenuCommandCase> {};

TEST_P(ChartWindowMenuCommand, SitsUnderItsPopupWithItsText) {
    const MenuCommandCase& c = GetParam();
    const CMenuTable menu = ChartWindowMenu();
    const SMenuItem* popup = FindPopup(menu, c.popup);
    ASSERT_NE(popup, nullptr) << c.popup;
    const SMenuItem* command = FindMenuCommand(popup->items, c.id);
    ASSERT_NE(command, nullptr) << c.popup << " " << c.id;
    EXPECT_EQ(PlainText(command->text), c.text);
}

INSTANTIATE_TEST_SUITE_P(AllCommands, ChartWindowMenuCommand,
                         ::testing::ValuesIn(kChartWindowCommands));

TEST(ChartWindowMenu, HoldsThePopupsInOrderAndNoOtherCommand) {
    const CMenuTable menu = ChartWindowMenu();
    std::vector<std::string> popups;
    for (const SMenuItem& item : menu) popups.push_back(PlainText(item.text));
    EXPECT_EQ(popups, (std::vector<std::string>{"File", "Edit", "View", "Insert", "Download",
                                                "Tools", "Setting", "Window", "Help"}));
    EXPECT_EQ(MenuCommandIds(menu).size(), kChartWindowCommands.size());
}

struct FramePopupCase {
    std::string popup;
    std::vector<std::pair<unsigned, std::string>> commands;
};

TEST(FrameMenu, HoldsFileViewAndHelpWithTheFrameCommandsOnly) {
    const std::vector<FramePopupCase> expected = {
        {"File", {{57600, "New"}, {57601, "Open"}, {57665, "Exit"}}},
        {"View",
         {{59392, "Main Toolbar"},
          {59393, "Status Bar"},
          {32773, "Stock Info Panel"},
          {32771, "Stock Name Panel"},
          {32913, "Fund Distribution"}}},
        {"Help",
         {{33046, "Indicator Descriptions..."}, {32986, "Visit Home Page"}, {57664, "About"}}},
    };
    const CMenuTable menu = FrameMenu();
    ASSERT_EQ(menu.size(), expected.size());
    for (size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(PlainText(menu[i].text), expected[i].popup);
        std::vector<std::pair<unsigned, std::string>> commands;
        for (const SMenuItem& item : menu[i].items) {
            ASSERT_NE(item.kind, SMenuItem::Kind::Popup) << expected[i].popup;
            if (item.kind == SMenuItem::Kind::Command)
                commands.emplace_back(item.id, PlainText(item.text));
        }
        EXPECT_EQ(commands, expected[i].commands) << expected[i].popup;
    }
}

struct NamedMenu {
    const char* name;
    CMenuTable (*make)();
};

const NamedMenu kMenus[] = {{"chart window", ChartWindowMenu},
                            {"frame", FrameMenu},
                            {"toolbar context", ToolbarContextMenu},
                            {"chart context", ChartContextMenu}};

TEST(ProgramMenus, NoCommandIdentifierAppearsTwice) {
    for (const NamedMenu& menu : kMenus) {
        const std::vector<unsigned> ids = MenuCommandIds(menu.make());
        EXPECT_EQ(std::set<unsigned>(ids.begin(), ids.end()).size(), ids.size()) << menu.name;
    }
}

TEST(ProgramMenus, MnemonicsAreUniqueWithinEachPopup) {
    for (const NamedMenu& menu : kMenus)
        ForEachItemList(menu.make(), [&](const CMenuTable& items) {
            std::map<char, std::string> taken;
            for (const SMenuItem& item : items) {
                const std::string letters = Mnemonics(item.text);
                EXPECT_LE(letters.size(), 1u) << item.text;
                for (char letter : letters) {
                    auto [it, fresh] = taken.emplace(letter, item.text);
                    EXPECT_TRUE(fresh) << menu.name << ": " << item.text << " and " << it->second;
                }
            }
        });
}

TEST(ProgramMenus, SeparatorsOnlyStandBetweenGroups) {
    for (const NamedMenu& menu : kMenus)
        ForEachItemList(menu.make(), [&](const CMenuTable& items) {
            ASSERT_FALSE(items.empty()) << menu.name;
            EXPECT_NE(items.front().kind, SMenuItem::Kind::Separator) << menu.name;
            EXPECT_NE(items.back().kind, SMenuItem::Kind::Separator) << menu.name;
            for (size_t i = 1; i < items.size(); ++i)
                EXPECT_FALSE(items[i].kind == SMenuItem::Kind::Separator &&
                             items[i - 1].kind == SMenuItem::Kind::Separator)
                    << menu.name << " at " << i;
        });
}

TEST(ProgramMenus, ShortcutsFollowATabOnTheirCommandsOnly) {
    const std::map<unsigned, std::string> shortcuts = {
        {32801, "Ctrl+Right"},  {32802, "Ctrl+Left"},  {32803, "Home"},   {32804, "End"},
        {32877, "F5"},          {57600, "Ctrl+N"},     {57601, "Ctrl+O"}, {57603, "Ctrl+S"},
        {57635, "Ctrl+X"},      {57634, "Ctrl+C"},     {57637, "Ctrl+V"}, {32829, "Del"},
        {32799, "Right Arrow"}, {32800, "Left Arrow"}, {32973, "F3"},     {kCmdPrint, "Ctrl+P"},
    };
    for (const NamedMenu& menu : kMenus) {
        const CMenuTable table = menu.make();
        for (unsigned id : MenuCommandIds(table)) {
            auto expected = shortcuts.find(id);
            EXPECT_EQ(MenuItemShortcut(FindMenuCommand(table, id)->text),
                      expected == shortcuts.end() ? "" : expected->second)
                << menu.name << " " << id;
        }
    }
}

TEST(MenuCommandIds, ListsCommandsDepthFirstSkippingSeparatorsAndPopups) {
    const CMenuTable table = {
        SMenuItem::Popup("&A", {SMenuItem::Command(1, "&One"), SMenuItem::Separator(),
                                SMenuItem::Popup("&Inner", {SMenuItem::Command(2, "&Two"),
                                                            SMenuItem::Command(3, "T&hree")}),
                                SMenuItem::Command(4, "&Four")}),
        SMenuItem::Command(5, "&Five"),
        SMenuItem::Popup("&Empty", {}),
    };
    EXPECT_EQ(MenuCommandIds(table), (std::vector<unsigned>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(MenuCommandIds({}).empty());
}

TEST(FrameMenu, UsesTheFrameCommandsOfTheChartWindowMenuWithTheSameTexts) {
    const CMenuTable chart = ChartWindowMenu();
    const CMenuTable frame = FrameMenu();
    for (unsigned id : {kCmdFileNew, kCmdFileOpen, kCmdAppExit, kCmdViewToolbar, kCmdViewStatusBar,
                        kCmdViewInfoPanel, kCmdViewNamePanel, kCmdViewFundPanel, kCmdVisitHomePage,
                        kCmdAppAbout, kCmdIndicatorDescriptions}) {
        const SMenuItem* inFrame = FindMenuCommand(frame, id);
        const SMenuItem* inChart = FindMenuCommand(chart, id);
        ASSERT_TRUE(inFrame && inChart) << id;
        EXPECT_EQ(inFrame->text, inChart->text) << id;
    }
}

} // namespace
