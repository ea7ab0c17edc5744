#include "app/ToolbarTables.h"
#include "app/FrameCommands.h"
#include "app/ProgramMenus.h"
#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr unsigned kCmdDefaultTemplate = kCmdUseDefaultTemplate;

constexpr std::array<unsigned, 6> kNothingTools = {32848, 32858, 32863, 32866, 32867, 32869};

// Names of the commands no menu carries.
struct SOwnName {
    unsigned command;
    const char* name;
};
constexpr SOwnName kOwnNames[] = {
    {kCmdPrint, "Print"},
    {kCmdDefaultTemplate, "Default Template"},
    {32848, "Andrew's Pitchfork"},
    {32858, "Gann Grid"},
    {32863, "Raff Regression Channel"},
    {32866, "Probability Cone"},
    {32867, "Quadrant Lines"},
    {32869, "Tirone Levels"},
    {32930, "Bull"},
    {32966, "Bear"},
    {32946, "Smile"},
    {32947, "Fair Face"},
    {32948, "Sad Face"},
    {32949, "Yeah"},
    {32950, "Good"},
    {32951, "Bad"},
    {32952, "Up Arrow"},
    {32953, "Down Arrow"},
    {32993, "Up-Left Arrow"},
    {32994, "Up-Right Arrow"},
    {32995, "Down-Left Arrow"},
    {32996, "Down-Right Arrow"},
    {32997, "Point Left"},
    {32998, "Point Right"},
    {32999, "Point Up"},
    {33000, "Point Down"},
    {33001, "Boom"},
    {33002, "Dead"},
    {33003, "Flag"},
    {33004, "Triangle Flag"},
    {33005, "Sun"},
    {33006, "Snow"},
    {33007, "Star"},
    {33008, "Moon"},
    {33009, "Aries"},
    {33010, "Taurus"},
    {33011, "Gemini"},
    {33012, "Cancer"},
    {33013, "Leo"},
    {33014, "Virgo"},
    {33015, "Libra"},
    {33016, "Scorpio"},
    {33017, "Sagittarius"},
    {33018, "Capricorn"},
    {33019, "Aquarius"},
    {33020, "Pisces"},
    {33021, "Exclamation Mark"},
    {33022, "Question Mark"},
};

std::vector<unsigned> MakeIconCommands() {
    std::vector<unsigned> ids = {32930, 32966, 32946, 32947, 32948,
                                 32949, 32950, 32951, 32952, 32953};
    for (unsigned id = 32993; id <= 33022; ++id) ids.push_back(id);
    return ids;
}

const std::vector<unsigned>& IconCommands() {
    static const std::vector<unsigned> ids = MakeIconCommands();
    return ids;
}

std::vector<SToolbarContents> MakeToolbars() {
    std::vector<unsigned> symbols = {32872, 0};
    const std::vector<unsigned>& icons = IconCommands();
    symbols.insert(symbols.end(), icons.begin(), icons.end());
    return {
        {"MainToolbar",
         20,
         kCmdViewToolbar,
         "",
         {kCmdFileNew, kCmdFileOpen, 57603, kCmdPrint, 0, kCmdDefaultTemplate, 32840, 0, 32781,
          32779, kCmdDataDownloader, 0, 32973, kCmdAppAbout}},
        {"ChartCtrl", 21, kCmdViewChartControl, "ChartCtrl", {32799, 32800, 32801, 32802, 32803,
                                                              32804, 0,     32838, 32839, 32876,
                                                              0,     32981, 32983, 32878, 0,
                                                              32834, 32835, 0,     32936, 32937,
                                                              32938, 32942}},
        {"TrendLine",
         24,
         kCmdViewTrendLine,
         "TrendLine",
         {32817, 32819, 32864, 32870, 0, 32849, 0, 32818, 32850, 32911, 0, 32868, 32848}},
        {"Channel",
         22,
         kCmdViewChannel,
         "Channel",
         {32860, 32861, 32862, 32863, 0, 32865, 0, 32866, 32867, 32869}},
        {"FiboGan",
         23,
         kCmdViewFiboGan,
         "FiboGan",
         {32851, 32852, 32853, 32854, 0, 32856, 32857, 32858}},
        {"Symbol", 25, kCmdViewSymbol, "Symbol", std::move(symbols)},
    };
}

// "&Open\tCtrl+O" -> "Open"; "&&" stays one ampersand.
std::string PlainText(std::string_view text) {
    text = text.substr(0, text.find('\t'));
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        plain += text[i];
    }
    return plain;
}

std::string CommandName(unsigned command) {
    for (const SOwnName& own : kOwnNames)
        if (own.command == command) return own.name;
    static const CMenuTable chartMenu = ChartWindowMenu();
    static const CMenuTable frameMenu = FrameMenu();
    const SMenuItem* item = FindMenuCommand(chartMenu, command);
    if (!item) item = FindMenuCommand(frameMenu, command);
    return item ? PlainText(item->text) : std::string();
}

} // namespace

const std::vector<SToolbarContents>& ProgramToolbars() {
    static const std::vector<SToolbarContents> bars = MakeToolbars();
    return bars;
}

bool CreatesNothing(unsigned command) {
    return std::find(kNothingTools.begin(), kNothingTools.end(), command) != kNothingTools.end();
}

std::string CommandTip(unsigned command) {
    std::string name = CommandName(command);
    if (CreatesNothing(command)) name += " (not available)";
    return name;
}
