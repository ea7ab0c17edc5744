#pragma once
#include "CChartPrinting.h"
#include "app/CChartCommands.h"
#include "app/CRecentFileList.h"
#include "ctlkit/lang/MenuTable.h"
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

class CChildFrame;
class CConnectionIndicator;
class CExtStatusBar;
class CMarketListUpdate;
class CModelContext;
class CStock;
class CStockNameBar;
class CUiThreadLoop;
class CUserStore;
class CZentriStockDoc;
class FundPanelWidget;
class QDockWidget;
class QMdiArea;
class QMdiSubWindow;
class QTabBar;
class QToolBar;
class StockInfoPanelWidget;

// The main window: the chart windows in an MDI area with a tab per chart, the toolbars, the
// three docking panels and the status bar. It routes every menu and toolbar command (its own,
// else to the active chart window), keeps its placement, bar layout and recent files in the
// per-user store, and forwards the charts' bar notification to the two panels that show the
// bar under the cursor. The "REFRESH LIST" broadcast of the other platform needs no receiver
// here: nothing sends it, and the frame would ignore it.
class CMainFrame : public QMainWindow {
public:
    // Makes the chart window of a new document (the document template's factory).
    using ChildFactory = std::function<CChildFrame*(std::unique_ptr<CZentriStockDoc>)>;

    CMainFrame(CModelContext& context, CUiThreadLoop& loop, CUserStore& store);
    ~CMainFrame() override;

    // The window placement of the store, toolbars, status bar, docks, the bar layout and the
    // tool boxes' flags, in that order. Shows nothing.
    void Create();
    // Shows the frame in its restored state: maximised when it was closed so.
    void ShowRestored();

    // The document gets a chart window of its own, which becomes the active one.
    CChildFrame* OpenDocument(std::unique_ptr<CZentriStockDoc> document);
    // Opens the chart file at `path` in a window of its own; false (told) when it can't be read.
    bool OnChartFileNamed(const std::string& path) { return OpenChartPath(path); }
    CChildFrame* ActiveChild() const;
    int ChildCount() const;

    // A menu or toolbar command, as if chosen.
    void OnCommand(unsigned id);
    // The bar notification of a chart pane: the series and the bar under the cursor go to the
    // information panel and the fund distribution panel, which paints for the price range of
    // the price pane of `chart` (the chart that sent it), else of the series' window.
    void OnBarNotification(CStock* series, int barIndex, CChildFrame* chart = nullptr);
    // A character typed in a chart pane: starts a symbol entry in the stock name panel when
    // that panel is hidden.
    void QuickEntry(char typed);

    QMdiArea& MdiArea() const { return *m_mdi; }
    QTabBar& ChartTabs() const { return *m_tabs; }
    StockInfoPanelWidget& InfoPanel() const { return *m_info; }
    FundPanelWidget& FundPanel() const { return *m_fund; }
    CStockNameBar& NamePanel() const { return *m_nameBar; }
    QDockWidget* DockOf(unsigned viewCommand) const;
    QToolBar* ToolBarOf(unsigned viewCommand) const;
    CExtStatusBar& StatusBar() const { return *m_statusBar; }
    // "Update List": its onFinished is where the name panel reloads its market.
    CMarketListUpdate& ListUpdate() const { return *m_listUpdate; }
    const CRecentFileList& RecentFiles() const { return m_recent; }
    bool ShowsCrosshair() const { return m_crosshair; }
    // True while the chart-window menu is the menu bar.
    bool ShowsChartMenu() const { return m_chartMenuShown; }

    // The context menu of the toolbars and docking panels: their toggles.
    QMenu* createPopupMenu() override;

    // The factory of chart windows; tests may wrap it.
    ChildFactory childFactory;
    // Answers the file dialogs of the frame and its charts in place of QFileDialog (tests).
    std::function<std::optional<std::string>(const SFileQuestion&)> fileQuestion;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateCentralArea();
    void CreateToolBars();
    void CreateStatusBar();
    void CreateDocks();
    QDockWidget* AddDock(const char* objectName, unsigned captionString, QWidget* content,
                         Qt::DockWidgetArea area);
    void ApplyStoredPlacement();
    void ShowToolBoxesByFlags();
    void StorePlacementAndBars();

    void ShowMenu(bool chartMenu);
    void AddRecentFileItems(QMenu& fileMenu);
    void FillWindowMenu(QMenu& menu);
    void ScopeShortcuts();
    void UpdateToggleChecks();
    bool IsToggleShown(unsigned id) const;
    void Toggle(unsigned id);

    bool OnFrameCommand(unsigned id);
    void ShowNamePanelPage(unsigned id);
    void EditEnvironment();
    void UpdateStockList();
    void SetCrosshair(bool on);
    void NewChart();
    // The chart of a symbol picked in the stock name panel: in the active chart window, or a
    // new one when `newChart` or none is open.
    void OpenSymbolChart(const std::string& symbol, const std::string& market, bool newChart);
    void OpenChartFile();
    bool OpenChartPath(const std::string& path);
    void OpenRecentFile(int index);
    void OpenLink(unsigned id);
    void ShowAbout();
    void ArrangeIcons();

    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnChildClosing(CStock& series);
    void SyncTabs();
    QString DesiredTitle() const;
    void UpdateTitle();

    CModelContext& m_context;
    CUiThreadLoop& m_loop;
    CUserStore& m_store;
    CRecentFileList m_recent;
    QMdiArea* m_mdi = nullptr;
    QTabBar* m_tabs = nullptr;
    std::map<unsigned, QToolBar*> m_toolBars;
    std::map<unsigned, QDockWidget*> m_docks;
    CStockNameBar* m_nameBar = nullptr;
    StockInfoPanelWidget* m_info = nullptr;
    FundPanelWidget* m_fund = nullptr;
    CExtStatusBar* m_statusBar = nullptr;
    CConnectionIndicator* m_connection = nullptr;
    bool m_chartMenuShown = false;
    bool m_startsMaximised = false;
    bool m_closing = false;
    CChartPrinting m_printing;
    std::unique_ptr<CMarketListUpdate> m_listUpdate;
    bool m_crosshair = false;
};
