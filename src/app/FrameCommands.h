#pragma once

// Menu resources: each is also its section in a language file.
constexpr unsigned kChartWindowMenuId = 169;
constexpr unsigned kFrameMenuId = 128;
constexpr unsigned kToolbarMenuId = 5001;
constexpr unsigned kChartContextMenuId = 166;

// The commands the main frame handles itself, with or without a chart open.
constexpr unsigned kCmdFileNew = 57600;
constexpr unsigned kCmdFileOpen = 57601;
constexpr unsigned kCmdAppExit = 57665;
constexpr unsigned kCmdAppAbout = 57664;
constexpr unsigned kCmdViewToolbar = 59392;
constexpr unsigned kCmdViewStatusBar = 59393;
constexpr unsigned kCmdViewNamePanel = 32771;
constexpr unsigned kCmdViewInfoPanel = 32773;
constexpr unsigned kCmdViewFundPanel = 32913;
constexpr unsigned kCmdViewChartControl = 32879;
constexpr unsigned kCmdViewTrendLine = 32880;
constexpr unsigned kCmdViewChannel = 32881;
constexpr unsigned kCmdViewFiboGan = 32882;
constexpr unsigned kCmdViewSymbol = 32883;
constexpr unsigned kCmdShowStockList = 32887;
constexpr unsigned kCmdShowDataFiles = 32889;
constexpr unsigned kCmdShowFavourites = 32888;
constexpr unsigned kCmdDataDownloader = 32987;
constexpr unsigned kCmdHelpContent = 32961;
constexpr unsigned kCmdVisitHomePage = 32986;
constexpr unsigned kCmdVisitForum = 33031;
constexpr unsigned kCmdRealTimeMarket = 32972;
constexpr unsigned kCmdWindowCascade = 57650;
constexpr unsigned kCmdWindowTile = 57651;
constexpr unsigned kCmdWindowArrange = 57649;
// Printing, which the File menu carries besides the chart commands.
constexpr unsigned kCmdPageSetup = 57605;
constexpr unsigned kCmdPrint = 57607;
constexpr unsigned kCmdPrintPreview = 57609;
// The chart commands no resource numbers: the new charts that start from the active one,
// and the toolbar's "Default Template", which applies the default template to the chart.
constexpr unsigned kCmdNewChartOfSymbol = 33040;
constexpr unsigned kCmdNewChartWithPanes = 33041;
constexpr unsigned kCmdNewChartFromTemplate = 33042;
constexpr unsigned kCmdUseDefaultTemplate = 33043;
// The crosshair over every chart window, a toggle of the View menu.
constexpr unsigned kCmdViewCrosshair = 33044;
// The chart context menu's "Add to Favorites": the item that opens the list of favourites
// groups, each of which adds the chart's symbol to that group.
constexpr unsigned kCmdAddToFavourites = 33048;
// The bars a chart shows, by dates or as the last N bars: a dialog of the View menu.
constexpr unsigned kCmdDisplayRange = 33045;
// The Help menu's viewer of the indicator description pages.
constexpr unsigned kCmdIndicatorDescriptions = 33046;
// The recent files of the File menu, newest first.
constexpr unsigned kCmdRecentFile1 = 57616;
constexpr unsigned kCmdRecentFile4 = 57619;
// The open chart windows listed on the Window menu.
constexpr unsigned kCmdFirstChartWindow = 0xFF00;
