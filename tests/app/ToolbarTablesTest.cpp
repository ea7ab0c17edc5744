#include "app/ToolbarTables.h"
#include "app/ProgramMenus.h"
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

// Every drawing-tool command with its tool code.
const std::map<unsigned, int> kToolCodes = {
    {32817, 1},  {32818, 2},  {32819, 3},  {32848, 5},  {32849, 6},  {32850, 7},  {32851, 8},
    {32852, 9},  {32853, 10}, {32854, 11}, {32856, 12}, {32857, 13}, {32858, 14}, {32860, 15},
    {32861, 16}, {32862, 17}, {32863, 18}, {32864, 19}, {32865, 20}, {32866, 21}, {32867, 22},
    {32868, 24}, {32869, 25}, {32911, 27}, {32870, 28}, {32872, 30}};

std::vector<unsigned> IconCommandList() {
    std::vector<unsigned> ids = {32930, 32966, 32946, 32947, 32948,
                                 32949, 32950, 32951, 32952, 32953};
    for (unsigned id = 32993; id <= 33022; ++id) ids.push_back(id);
    return ids;
}

const std::vector<SToolbarContents>& Bars() {
    return ProgramToolbars();
}

const SToolbarContents& Bar(const char* name) {
    for (const SToolbarContents& bar : Bars())
        if (std::string(bar.objectName) == name) return bar;
    throw std::runtime_error(name);
}

std::vector<unsigned> Buttons(const SToolbarContents& bar) {
    std::vector<unsigned> ids;
    for (unsigned id : bar.buttons)
        if (id != 0) ids.push_back(id);
    return ids;
}

TEST(ToolbarTables, SixBarsInCreationOrderWithCaptionsCommandsAndKeys) {
    struct SRow {
        const char* name;
        unsigned caption;
        unsigned view;
        const char* key;
    };
    const SRow rows[] = {
        {"MainToolbar", 20, 59392, ""},        {"ChartCtrl", 21, 32879, "ChartCtrl"},
        {"TrendLine", 24, 32880, "TrendLine"}, {"Channel", 22, 32881, "Channel"},
        {"FiboGan", 23, 32882, "FiboGan"},     {"Symbol", 25, 32883, "Symbol"}};
    ASSERT_EQ(Bars().size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_STREQ(Bars()[i].objectName, rows[i].name);
        EXPECT_EQ(Bars()[i].captionString, rows[i].caption);
        EXPECT_EQ(Bars()[i].viewCommand, rows[i].view);
        EXPECT_STREQ(Bars()[i].settingsKey, rows[i].key);
    }
}

TEST(ToolbarTables, MainAndChartControlButtonsInOrder) {
    EXPECT_EQ(Bar("MainToolbar").buttons,
              (std::vector<unsigned>{57600, 57601, 57603, 57607, 0, 33043, 32840, 0, 32781, 32779,
                                     32987, 0, 32973, 57664}));
    EXPECT_EQ(
        Buttons(Bar("ChartCtrl")),
        (std::vector<unsigned>{32799, 32800, 32801, 32802, 32803, 32804, 32838, 32839, 32876, 32981,
                               32983, 32878, 32834, 32835, 32936, 32937, 32938, 32942}));
}

TEST(ToolbarTables, EveryToolAndIconCommandInExactlyOneToolBox) {
    std::map<unsigned, std::vector<std::string>> boxes;
    for (size_t i = 1; i < Bars().size(); ++i)
        for (unsigned id : Buttons(Bars()[i])) boxes[id].push_back(Bars()[i].objectName);
    std::vector<unsigned> wanted = IconCommandList();
    for (const auto& [id, code] : kToolCodes) wanted.push_back(id);
    for (unsigned id : wanted) {
        SCOPED_TRACE(id);
        EXPECT_EQ(boxes[id].size(), 1u);
    }
    // Nothing but tools and icons in the tool boxes; chart control is not a tool box.
    const std::set<unsigned> allowed(wanted.begin(), wanted.end());
    for (const char* box : {"TrendLine", "Channel", "FiboGan", "Symbol"})
        for (unsigned id : Buttons(Bar(box))) EXPECT_TRUE(allowed.count(id)) << box << " " << id;
}

TEST(ToolbarTables, ToolFamilies) {
    const std::map<unsigned, const char*> family = {
        {32817, "TrendLine"}, {32848, "TrendLine"}, {32868, "TrendLine"}, {32911, "TrendLine"},
        {32860, "Channel"},   {32863, "Channel"},   {32865, "Channel"},   {32869, "Channel"},
        {32851, "FiboGan"},   {32854, "FiboGan"},   {32858, "FiboGan"},   {32872, "Symbol"},
        {32930, "Symbol"},    {33022, "Symbol"}};
    for (const auto& [id, box] : family) {
        const std::vector<unsigned> ids = Buttons(Bar(box));
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id << " in " << box;
    }
    // The symbol box: text first, then the icons in code order.
    std::vector<unsigned> symbols = {32872};
    for (unsigned id : IconCommandList()) symbols.push_back(id);
    EXPECT_EQ(Buttons(Bar("Symbol")), symbols);
}

TEST(ToolbarTables, NoSeparatorAtEitherEndOrTwiceInARow) {
    for (const SToolbarContents& bar : Bars()) {
        SCOPED_TRACE(bar.objectName);
        ASSERT_FALSE(bar.buttons.empty());
        EXPECT_NE(bar.buttons.front(), 0u);
        EXPECT_NE(bar.buttons.back(), 0u);
        for (size_t i = 1; i < bar.buttons.size(); ++i)
            EXPECT_FALSE(bar.buttons[i] == 0 && bar.buttons[i - 1] == 0);
    }
}

TEST(ToolbarTables, CreatesNothingExactlyTheSixArmedOnlyTools) {
    const std::set<int> nothingCodes = {5, 14, 18, 21, 22, 25};
    for (const auto& [id, code] : kToolCodes)
        EXPECT_EQ(CreatesNothing(id), nothingCodes.count(code) == 1) << id;
    for (unsigned id : IconCommandList()) EXPECT_FALSE(CreatesNothing(id)) << id;
    for (unsigned id : MenuCommandIds(ChartWindowMenu())) EXPECT_FALSE(CreatesNothing(id)) << id;
    EXPECT_FALSE(CreatesNothing(0));
}

TEST(ToolbarTables, TipsExact) {
    const std::pair<unsigned, const char*> tips[] = {
        {32817, "Trend Line"},
        {32848, "Andrew's Pitchfork (not available)"},
        {32858, "Gann Grid (not available)"},
        {32863, "Raff Regression Channel (not available)"},
        {32866, "Probability Cone (not available)"},
        {32867, "Quadrant Lines (not available)"},
        {32869, "Tirone Levels (not available)"},
        {57600, "New"},
        {57603, "Save"},
        {57607, "Print"},
        {32844, "Save Chart Template"},
        {33043, "Default Template"},
        {32799, "Move Forward"},
        {32834, "Narrow the Candle Line"},
        {32973, "Gann Table"},
        {32872, "Text"},
        {32930, "Bull"},
        {32966, "Bear"},
        {33009, "Aries"},
        {33022, "Question Mark"},
    };
    for (const auto& [id, tip] : tips) EXPECT_EQ(CommandTip(id), tip) << id;
    EXPECT_EQ(CommandTip(1), "");
}

TEST(ToolbarTables, EveryButtonHasATipWithoutMnemonicOrShortcut) {
    for (const SToolbarContents& bar : Bars())
        for (unsigned id : Buttons(bar)) {
            const std::string tip = CommandTip(id);
            EXPECT_FALSE(tip.empty()) << id;
            EXPECT_EQ(tip.find('&'), std::string::npos) << tip;
            EXPECT_EQ(tip.find('\t'), std::string::npos) << tip;
        }
}

} // namespace
