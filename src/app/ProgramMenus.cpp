#include "app/ProgramMenus.h"
#include "app/FrameCommands.h"

namespace {

SMenuItem Cmd(unsigned id, const char* text) {
    return SMenuItem::Command(id, text);
}
SMenuItem Sep() {
    return SMenuItem::Separator();
}

// Items both menu bars carry, so that they read the same with and without a chart.
SMenuItem NewItem() {
    return Cmd(kCmdFileNew, "&New\tCtrl+N");
}
SMenuItem OpenItem() {
    return Cmd(kCmdFileOpen, "&Open\tCtrl+O");
}
SMenuItem ExitItem() {
    return Cmd(kCmdAppExit, "&Exit");
}
SMenuItem HomePageItem() {
    return Cmd(kCmdVisitHomePage, "Visit &Home Page");
}
SMenuItem AboutItem() {
    return Cmd(kCmdAppAbout, "&About");
}

std::vector<SMenuItem> BarAndPanelItems() {
    return {Cmd(kCmdViewToolbar, "Main &Toolbar"), Cmd(kCmdViewStatusBar, "Status &Bar"),
            Cmd(kCmdViewInfoPanel, "Stock &Info Panel"),
            Cmd(kCmdViewNamePanel, "Stock &Name Panel"),
            Cmd(kCmdViewFundPanel, "Fund &Distribution")};
}

SMenuItem FilePopup() {
    return SMenuItem::Popup(
        "&File",
        {NewItem(), Cmd(kCmdNewChartOfSymbol, "New Chart of Active S&ymbol"),
         Cmd(kCmdNewChartWithPanes, "New Chart &with Panes..."),
         Cmd(kCmdNewChartFromTemplate, "New Chart from Te&mplate..."), Sep(), OpenItem(),
         Cmd(57602, "&Close"), Cmd(57603, "&Save\tCtrl+S"), Cmd(32844, "Save Chart &Template"),
         Sep(), Cmd(kCmdPrint, "&Print...\tCtrl+P"), Cmd(kCmdPrintPreview, "Print Pre&view"),
         Cmd(kCmdPageSetup, "Page Set&up..."), Sep(), ExitItem()});
}

SMenuItem EditPopup() {
    return SMenuItem::Popup("&Edit",
                            {Cmd(32840, "&Apply Template"), Cmd(32891, "&New Template"), Sep(),
                             Cmd(33032, "&Delete All Curves"), Cmd(33033, "Delete All &Symbols"),
                             Sep(), Cmd(57635, "&Cut\tCtrl+X"), Cmd(57634, "C&opy\tCtrl+C"),
                             Cmd(57637, "&Paste\tCtrl+V"), Cmd(32829, "D&elete\tDel")});
}

// "Tr&end Line": "Main &Toolbar" already takes the T of this pop-up.
std::vector<SMenuItem> ToolBoxItems() {
    return {Cmd(kCmdViewChartControl, "&Chart Control"), Cmd(kCmdViewTrendLine, "Tr&end Line"),
            Cmd(kCmdViewChannel, "Channel and &Regression"),
            Cmd(kCmdViewFiboGan, "&Fibonacci and Gan"), Cmd(kCmdViewSymbol, "&Symbol and Text")};
}

std::vector<SMenuItem> ChartControlItems() {
    return {Cmd(32799, "&Move Forward\tRight Arrow"), Cmd(32800, "M&ove Backward\tLeft Arrow"),
            Cmd(32801, "&Quick Forward\tCtrl+Right"), Cmd(32802, "Q&uick Backward\tCtrl+Left"),
            Cmd(32803, "Move to Be&gin\tHome"),       Cmd(32804, "Move to End\tEnd"),
            Cmd(32835, "Broaden Candle Line"),        Cmd(32834, "Narro&w the Candle Line")};
}

std::vector<SMenuItem> PeriodAndZoomItems() {
    return {Cmd(32936, "Dail&y"),
            Cmd(32937, "Wee&kly"),
            Cmd(32938, "Mont&hly"),
            Cmd(32942, "User Defined &Period"),
            Sep(),
            Cmd(32838, "&Zoom In"),
            Cmd(32839, "Zoom Out"),
            Cmd(32981, "E&xpand in Y-Axis"),
            Cmd(32983, "Shrink in Y-Axis"),
            Cmd(32876, "Zoom Reset"),
            Cmd(kCmdDisplayRange, "Display Range..."),
            Cmd(32878, "Y-Scale Setting")};
}

std::vector<SMenuItem> Joined(std::initializer_list<std::vector<SMenuItem>> groups) {
    std::vector<SMenuItem> items;
    for (const std::vector<SMenuItem>& group : groups) {
        if (!items.empty()) items.push_back(Sep());
        items.insert(items.end(), group.begin(), group.end());
    }
    return items;
}

SMenuItem ViewPopup() {
    return SMenuItem::Popup(
        "&View", Joined({BarAndPanelItems(),
                         ToolBoxItems(),
                         {Cmd(32887, "Show Stock &List"), Cmd(32889, "D&ata File List"),
                          Cmd(32888, "Fa&vorites")},
                         ChartControlItems(),
                         PeriodAndZoomItems(),
                         {Cmd(kCmdViewCrosshair, "Crosshair"), Cmd(32877, "Refresh Data\tF5")}}));
}

std::vector<SMenuItem> MainChartIndicatorItems() {
    return {Cmd(32785, "&SMA"), Cmd(32805, "&VWMA"),
            Cmd(32806, "&EMA"), Cmd(32809, "&BOL"),
            Cmd(32812, "&KC"),  Cmd(32814, "&MAE"),
            Cmd(32815, "S&AR"), Cmd(33034, "&52 Weeks High and Low")};
}

std::vector<SMenuItem> SubChartIndicatorItems() {
    return {Cmd(32788, "V&OL"), Cmd(32990, "VO&LP"), Cmd(32787, "S&TC"),        Cmd(32786, "MA&CD"),
            Cmd(32807, "A&DX"), Cmd(32808, "AT&R"),  Cmd(32810, "CC&I"),        Cmd(32813, "MTM"),
            Cmd(32816, "ROC"),  Cmd(32820, "M&FI"),  Cmd(32821, "OBV"),         Cmd(32988, "RSI"),
            Cmd(32989, "VOLA"), Cmd(32991, "VAO"),   Cmd(32992, "&Williams %R")};
}

std::vector<SMenuItem> TradeFlagItems() {
    return {Cmd(32823, "SMA Trade Fla&gs"), Cmd(32826, "VWMA Trade Flags"),
            Cmd(32827, "EMA Trade Flags"),  Cmd(32828, "SAR Trade Flags"),
            Cmd(32824, "STC Trade Flags"),  Cmd(32825, "MACD Trade Flags")};
}

std::vector<SMenuItem> DrawingToolItems() {
    return {Cmd(32817, "Tre&nd Line"),
            Cmd(32819, "Trend Arrow"),
            Cmd(32849, "C&ycle Lines"),
            Cmd(32818, "Rectangle"),
            Cmd(32850, "Elli&pse"),
            Cmd(32851, "Fibonacci Arc"),
            Cmd(32852, "Fibonacci Fan"),
            Cmd(32853, "Fibonacci Retracement"),
            Cmd(32854, "Fibonacci Time &Zone"),
            Cmd(32856, "Gann Line"),
            Cmd(32857, "Gann Fan"),
            Cmd(32860, "E&quidistant Channel"),
            Cmd(32861, "Standard Deviation C&hannel"),
            Cmd(32862, "Standard Error Channel"),
            Cmd(32864, "Horizontal Line"),
            Cmd(32911, "Triangle"),
            Cmd(32865, "Linear Regression"),
            Cmd(32868, "Speed Resistance Line"),
            Cmd(32870, "Vertical Line"),
            Cmd(32871, "Symbols"),
            Cmd(32872, "Te&xt")};
}

SMenuItem InsertPopup() {
    return SMenuItem::Popup("&Insert", Joined({MainChartIndicatorItems(), SubChartIndicatorItems(),
                                               TradeFlagItems(), DrawingToolItems()}));
}

SMenuItem DownloadPopup() {
    return SMenuItem::Popup("&Download",
                            {Cmd(32781, "&ReDownload EOD Data"), Cmd(32779, "&Update EOD Data"),
                             Sep(), Cmd(32985, "Update &Stock List")});
}

SMenuItem ToolsPopup() {
    return SMenuItem::Popup(
        "&Tools", {Cmd(kCmdDataDownloader, "&Data Downloader"), Cmd(32973, "&Gann Table\tF3")});
}

SMenuItem SettingPopup() {
    return SMenuItem::Popup(
        "&Setting", Joined({{Cmd(32904, "&Selected Object")},
                            {Cmd(33027, "&Chart Title Setting"), Cmd(33028, "&Axis Setting"),
                             Cmd(32962, "Chart &Window Setting")},
                            {Cmd(33030, "&Organize Favorites")},
                            {Cmd(32905, "&Price Curve Setting"), Cmd(32907, "&Y-Scale Setting")},
                            {Cmd(32968, "Op&tion")}}));
}

SMenuItem WindowPopup() {
    return SMenuItem::Popup("&Window",
                            {Cmd(kCmdWindowCascade, "&Cascade"), Cmd(kCmdWindowTile, "&Tile"),
                             Cmd(kCmdWindowArrange, "&Arrange Icons")});
}

SMenuItem IndicatorDescriptionsItem() {
    return Cmd(kCmdIndicatorDescriptions, "&Indicator Descriptions...");
}

SMenuItem HelpPopup() {
    return SMenuItem::Popup("&Help", {Cmd(kCmdHelpContent, "&Content"), IndicatorDescriptionsItem(),
                                      Sep(), Cmd(kCmdVisitForum, "&Visit Forum"), HomePageItem(),
                                      Sep(), AboutItem()});
}

void AppendCommandIds(const CMenuTable& table, std::vector<unsigned>& ids) {
    for (const SMenuItem& item : table) {
        if (item.kind == SMenuItem::Kind::Command) ids.push_back(item.id);
        if (item.kind == SMenuItem::Kind::Popup) AppendCommandIds(item.items, ids);
    }
}

} // namespace

CMenuTable ChartWindowMenu() {
    return {FilePopup(),  EditPopup(),    ViewPopup(),   InsertPopup(), DownloadPopup(),
            ToolsPopup(), SettingPopup(), WindowPopup(), HelpPopup()};
}

CMenuTable FrameMenu() {
    return {SMenuItem::Popup("&File", {NewItem(), OpenItem(), Sep(), ExitItem()}),
            SMenuItem::Popup("&View", BarAndPanelItems()),
            SMenuItem::Popup("&Help",
                             {IndicatorDescriptionsItem(), HomePageItem(), Sep(), AboutItem()})};
}

CMenuTable ChartContextMenu() {
    return {SMenuItem::Popup("Chart", {Cmd(32840, "&Apply Template..."),
                                       Cmd(32844, "Save Chart &Template..."),
                                       Cmd(kCmdUseDefaultTemplate, "&Default Template"), Sep(),
                                       Cmd(32962, "Chart &Window Properties..."), Sep(),
                                       Cmd(57634, "&Copy\tCtrl+C"), Cmd(57635, "C&ut\tCtrl+X"),
                                       Cmd(57637, "&Paste\tCtrl+V"), Sep(),
                                       Cmd(32910, "Selected Object P&roperties..."), Sep(),
                                       Cmd(kCmdAddToFavourites, "Add to &Favorites")}),
            SMenuItem::Popup("Y-Scale",
                             {Cmd(32955, "&Y-Scale Setting..."), Cmd(32981, "E&xpand in Y-Axis"),
                              Cmd(32983, "&Shrink in Y-Axis"), Cmd(32956, "&Auto-Scale Y-Axis")})};
}

CMenuTable ToolbarContextMenu() {
    return {SMenuItem::Popup("Bars", Joined({BarAndPanelItems(), ToolBoxItems()}))};
}

std::vector<unsigned> MenuCommandIds(const CMenuTable& table) {
    std::vector<unsigned> ids;
    AppendCommandIds(table, ids);
    return ids;
}
