#include "CMainFrame.h"
#include "CAboutDialog.h"
#include "CChildFrame.h"
#include "CConnectionIndicator.h"
#include "CExtStatusBar.h"
#include "CUserStore.h"
#include "CommandIcons.h"
#include "FileQuestionDialog.h"
#include "ProgramToolBars.h"
#include "X11LockKeys.h"
#include "app/CWindowPlacement.h"
#include "app/DownloaderLauncher.h"
#include "app/FrameCommands.h"
#include "app/FrameLinks.h"
#include "app/ProgramMenus.h"
#include "app/ToolbarTables.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include "download/CMarketList.h"
#include "download/qt/CMarketListUpdate.h"
#include "download/qt/CUpdateListFormset.h"
#include "formset/qt/describe/CIndicatorDescriptions.h"
#include "formset/qt/environment/CEnvironmentFormset.h"
#include "formset/qt/favourites/COrganizeFavouritesFormset.h"
#include "gann/qt/CGannTableWindow.h"
#include "panels/qt/CStockNameBar.h"
#include "panels/qt/FundPanelWidget.h"
#include "panels/qt/StockInfoPanelWidget.h"
#include "view/CPaneStack.h"
#include "settings/CModelContext.h"
#include "settings/DownloadSettings.h"
#include "settings/SetupSettings.h"
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>
#include <vector>

namespace {
constexpr unsigned kCmdFileClose = 57602;
// "Organize Favorites" of the Setting menu: the favourites need no chart.
constexpr unsigned kCmdOrganizeFavourites = 33030;
constexpr unsigned kCmdUpdateStockList = 32985;
// "Option" of the Setting menu: the settings of setup.ini, shared by every chart.
constexpr unsigned kCmdOption = 32968;
// "Gann Table..." of the Tools menu: needs no chart.
constexpr unsigned kCmdGannTable = 32973;
constexpr const char* kNoChildWindow = "Please open a child window first.";
constexpr unsigned kNamePanelCaption = 17;
constexpr unsigned kInfoPanelCaption = 18;
constexpr unsigned kFundPanelCaption = 19;

QString StringText(unsigned id) {
    return QString::fromStdString(CLanguage::TranslateString(id).value_or(""));
}

CRect ToCRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect ToQRect(const CRect& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The screens a window may lie on, the primary one first.
std::vector<CRect> ScreenRects() {
    std::vector<CRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens.push_back(ToCRect(primary->availableGeometry()));
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.push_back(ToCRect(screen->availableGeometry()));
    return screens;
}

// The field of `flags` that the tool box with settings key `key` stands for; null for a bar
// without one.
bool* ToolBoxFlag(const std::string& key, ToolbarSettings& flags) {
    const std::pair<const char*, bool*> keys[] = {{"ChartCtrl", &flags.chartCtrl},
                                                  {"TrendLine", &flags.trendLine},
                                                  {"Symbol", &flags.symbol},
                                                  {"FiboGan", &flags.fiboGan},
                                                  {"Channel", &flags.channel}};
    for (const auto& [name, field] : keys)
        if (key == name) return field;
    return nullptr;
}

// The recent files go above the last separator of the File menu, which comes before Exit.
void InsertRecentFiles(CMenuTable& menu, const CRecentFileList& recent) {
    if (menu.empty() || recent.Entries().empty()) return;
    std::vector<SMenuItem>& file = menu.front().items;
    auto exit = file.end();
    for (auto it = file.begin(); it != file.end(); ++it)
        if (it->kind == SMenuItem::Kind::Separator) exit = it;
    std::vector<SMenuItem> items;
    for (int i = 0; i < static_cast<int>(recent.Entries().size()); ++i)
        items.push_back(SMenuItem::Command(kCmdRecentFile1 + i, recent.MenuText(i)));
    items.push_back(SMenuItem::Separator());
    if (exit == file.end()) return;
    file.insert(exit + 1, items.begin(), items.end());
}

void ForEachAction(QWidget& menus, const std::function<void(QAction&)>& visit) {
    for (QAction* action : menus.actions()) {
        if (QMenu* sub = action->menu()) ForEachAction(*sub, visit);
        visit(*action);
    }
}

// The display periods, of which the current one carries a check mark.
bool IsPeriod(unsigned id) {
    return id == 32936 || id == 32937 || id == 32938 || id == 32942;
}

bool IsToggle(unsigned id) {
    switch (id) {
    case kCmdViewToolbar:
    case kCmdViewStatusBar:
    case kCmdViewNamePanel:
    case kCmdViewInfoPanel:
    case kCmdViewFundPanel:
    case kCmdViewChartControl:
    case kCmdViewTrendLine:
    case kCmdViewChannel:
    case kCmdViewFiboGan:
    case kCmdViewSymbol:
        return true;
    default:
        return false;
    }
}
} // namespace

CMainFrame::CMainFrame(CModelContext& context, CUiThreadLoop& loop, CUserStore& store)
    : m_context(context), m_loop(loop), m_store(store), m_recent(store.LoadRecentFiles()),
      m_crosshair(store.Crosshair()) {
    m_listUpdate = std::make_unique<CMarketListUpdate>(loop);
    context.Paths().CreateAdFolders();
    setObjectName("MainFrame");
    setWindowTitle("ZentriStock");
    setDockOptions(AnimatedDocks | AllowNestedDocks | AllowTabbedDocks);
    resize(1024, 720);
    childFactory = [this](std::unique_ptr<CZentriStockDoc> document) {
        return new CChildFrame(std::move(document), m_loop);
    };
    CreateCentralArea();
}

CMainFrame::~CMainFrame() {
    // Chart windows close before the panels that may show their series.
    for (QMdiSubWindow* window : m_mdi->subWindowList()) delete window;
    // The name panel's market and order, written as the panel goes.
    (void)m_nameBar->Settings().Write(m_context.Settings());
}

void CMainFrame::CreateCentralArea() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabBar(central);
    m_tabs->setObjectName("ChartTabs");
    m_tabs->setTabsClosable(true);
    m_tabs->setDocumentMode(true);
    m_tabs->setExpanding(false);
    m_tabs->setFocusPolicy(Qt::NoFocus);
    m_tabs->installEventFilter(this);
    m_mdi = new QMdiArea(central);
    m_mdi->setObjectName("ChartArea");
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_tabs);
    layout->addWidget(m_mdi, 1);
    setCentralWidget(central);
    m_tabs->hide();

    connect(m_mdi, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* window) { OnSubWindowActivated(window); });
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
        if (index >= 0 && index < windows.size()) m_mdi->setActiveSubWindow(windows[index]);
    });
    connect(m_tabs, &QTabBar::tabCloseRequested, this, [this](int index) {
        const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
        if (index >= 0 && index < windows.size()) windows[index]->close();
    });
}

void CMainFrame::Create() {
    ApplyStoredPlacement();
    CreateToolBars();
    CreateStatusBar();
    CreateDocks();
    const QByteArray barState = m_store.BarState();
    if (!barState.isEmpty()) restoreState(barState);
    ShowToolBoxesByFlags();
    ShowMenu(false);
    m_connection = new CConnectionIndicator(
        m_context, m_loop,
        [this](const std::string& text) { m_statusBar->SetConnectionText(text); }, this);
}

void CMainFrame::ShowRestored() {
    if (m_startsMaximised)
        showMaximized();
    else
        show();
}

void CMainFrame::ApplyStoredPlacement() {
    std::optional<CWindowPlacement> stored = CWindowPlacement::Parse(m_store.WindowPos());
    if (!stored) return;
    const std::vector<CRect> screens = ScreenRects();
    const CWindowPlacement placed = screens.empty() ? *stored : stored->OnScreens(screens);
    const QRect normal = ToQRect(placed.normalPosition);
    if (normal.width() > 0 && normal.height() > 0) setGeometry(normal);
    m_startsMaximised = placed.StartsMaximised();
}

void CMainFrame::CreateToolBars() {
    for (const SToolbarContents& contents : ProgramToolbars()) {
        QToolBar* bar = BuildToolBar(*this, contents, [this](unsigned id) { OnCommand(id); });
        // Three rows, so that no box hides its buttons behind an extension arrow in a window
        // of 1024 pixels: main and chart control, the line tools, the symbols.
        const std::string name = contents.objectName;
        if (name == "TrendLine" || name == "Symbol") addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(Qt::TopToolBarArea, bar);
        m_toolBars[contents.viewCommand] = bar;
    }
}

void CMainFrame::CreateStatusBar() {
    m_statusBar = new CExtStatusBar(X11LockKeys, this);
    setStatusBar(m_statusBar);
}

QDockWidget* CMainFrame::AddDock(const char* objectName, unsigned captionString, QWidget* content,
                                 Qt::DockWidgetArea area) {
    auto* dock = new QDockWidget(StringText(captionString), this);
    dock->setObjectName(objectName);
    dock->setAllowedAreas(Qt::AllDockWidgetAreas);
    dock->setWidget(content);
    addDockWidget(area, dock);
    return dock;
}

void CMainFrame::CreateDocks() {
    m_nameBar = new CStockNameBar;
    m_nameBar->onOpenSymbol = [this](const std::string& symbol, const std::string& market,
                                     bool newChart) { OpenSymbolChart(symbol, market, newChart); };
    m_nameBar->onStatusText = [this](const QString& text) { m_statusBar->showMessage(text, 5000); };
    m_nameBar->onCommand = [this](unsigned id) { OnCommand(id); };
    m_nameBar->activeChart = [this]() -> std::optional<CFavourites::SEntry> {
        CChildFrame* child = ActiveChild();
        if (!child || child->Document().Symbol() == "NoName") return std::nullopt;
        return CFavourites::SEntry{child->Document().Symbol(), {}, child->Document().Market()};
    };
    const CInstallPaths& paths = m_context.Paths();
    const NameBarSettings nameBar = m_context.Settings().sectionExists("ALL_NAMEBAR")
                                        ? NameBarSettings::Read(m_context.Settings())
                                        : NameBarSettings{};
    m_nameBar->Open({paths.IndexFolder(), paths.SystemFolder(), m_context.DataFolder(),
                     paths.FavouritesFolder()},
                    nameBar);
    // A finished list update brings new names: the market shown is read again.
    m_listUpdate->onFinished = [this] { m_nameBar->ReloadDatabase(); };
    m_info = new StockInfoPanelWidget;
    m_fund = new FundPanelWidget;
    m_docks[kCmdViewNamePanel] =
        AddDock("StockNamePanel", kNamePanelCaption, m_nameBar, Qt::LeftDockWidgetArea);
    m_docks[kCmdViewInfoPanel] =
        AddDock("StockInfoPanel", kInfoPanelCaption, m_info, Qt::RightDockWidgetArea);
    // The panel never gets lower than its drawing; a lower dock scrolls it rather than
    // forcing its height on the whole window.
    auto* fundArea = new QScrollArea;
    fundArea->setObjectName("FundDistributionArea");
    fundArea->setFrameShape(QFrame::NoFrame);
    fundArea->setWidgetResizable(true);
    fundArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fundArea->setWidget(m_fund);
    fundArea->setMinimumSize(1, 1);
    m_docks[kCmdViewFundPanel] =
        AddDock("FundDistributionPanel", kFundPanelCaption, fundArea, Qt::RightDockWidgetArea);
    // The chart gets the room: the panels start narrow, the user widens them.
    // The name panel wide enough for its three page tabs.
    resizeDocks({m_docks[kCmdViewNamePanel], m_docks[kCmdViewInfoPanel]}, {236, 180},
                Qt::Horizontal);
}

void CMainFrame::ShowToolBoxesByFlags() {
    ToolbarSettings flags = ToolbarSettings::Read(m_context.Settings());
    for (const SToolbarContents& contents : ProgramToolbars()) {
        if (bool* flag = ToolBoxFlag(contents.settingsKey, flags))
            m_toolBars.at(contents.viewCommand)->setVisible(*flag);
    }
}

void CMainFrame::StorePlacementAndBars() {
    m_store.SetBarState(saveState());

    CWindowPlacement current;
    current.showCmd = isMinimized()   ? SW_SHOWMINIMIZED
                      : isMaximized() ? SW_SHOWMAXIMIZED
                                      : SW_SHOWNORMAL;
    current.minPosition = current.maxPosition = CPoint{-1, -1};
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    current.normalPosition = ToCRect(normal);
    m_store.SetWindowPos(CWindowPlacement::ForClosing(current, isMaximized()).Format());
    m_store.SaveRecentFiles(m_recent);
    m_store.Flush();

    ToolbarSettings flags;
    for (const SToolbarContents& contents : ProgramToolbars()) {
        if (bool* flag = ToolBoxFlag(contents.settingsKey, flags))
            *flag = !m_toolBars.at(contents.viewCommand)->isHidden();
    }
    flags.Write(m_context.Settings());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        m_closing = true;
        StorePlacementAndBars();
        // Each chart's document stores its settings as its window goes.
        for (QMdiSubWindow* window : m_mdi->subWindowList()) delete window;
    }
    event->accept();
}

// ---------------------------------------------------------------------------------------
// Chart windows

CChildFrame* CMainFrame::OpenDocument(std::unique_ptr<CZentriStockDoc> document) {
    if (!document) return nullptr;
    CChildFrame* child = childFactory(std::move(document));
    child->onClosing = [this](CStock& series) { OnChildClosing(series); };
    child->onBarEntered = [this, child](CStock& series, int bar) {
        OnBarNotification(&series, bar, child);
    };
    child->onSymbolKey = [this](char typed) { QuickEntry(typed); };
    child->onStatusText = [this](const QString& text) { m_statusBar->showMessage(text, 5000); };
    // Deferred: the command that made the chart is still running in the active window.
    child->onOpenChart = [this](std::unique_ptr<CZentriStockDoc> chart) {
        auto* held = chart.release();
        QTimer::singleShot(0, this,
                           [this, held] { OpenDocument(std::unique_ptr<CZentriStockDoc>(held)); });
    };
    child->onSaved = [this](const std::string& path) {
        m_recent.Add(path);
        m_store.SaveRecentFiles(m_recent);
        ShowMenu(m_chartMenuShown);
    };
    child->SetPrinting(&m_printing);
    child->SetCrosshair(m_crosshair);
    child->onCommand = [this](unsigned id) { OnCommand(id); };
    child->onReadOut = [this](const std::string& value, const std::string& date) {
        CStatusBarPanes& panes = m_statusBar->Panes();
        m_statusBar->SetPaneText(panes.IndexOf(ID_INDICATOR_XCOORD), date);
        m_statusBar->SetPaneText(panes.IndexOf(ID_INDICATOR_YCOORD), value);
    };
    if (fileQuestion) child->Questions().file = fileQuestion;

    const bool first = ChildCount() == 0;
    QMdiSubWindow* window = m_mdi->addSubWindow(child);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(CommandIcon(kCmdFileNew));
    connect(window, &QWidget::windowTitleChanged, this, [this] {
        SyncTabs();
        UpdateTitle();
    });
    connect(window, &QMdiSubWindow::windowStateChanged, this, [this] { UpdateTitle(); });
    connect(window, &QObject::destroyed, this, [this] {
        // The list drops the window after this signal: look again once it has.
        QTimer::singleShot(0, this, [this] {
            SyncTabs();
            UpdateTitle();
            if (ChildCount() == 0 && m_chartMenuShown) ShowMenu(false);
        });
    });
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    if (first || (active && active->isMaximized()))
        window->showMaximized();
    else
        window->show();
    m_mdi->setActiveSubWindow(window);
    child->setFocus();
    if (!m_chartMenuShown)
        QTimer::singleShot(0, this, [this] {
            if (ChildCount() > 0 && !m_chartMenuShown) ShowMenu(true);
        });
    SyncTabs();
    UpdateTitle();
    return child;
}

CChildFrame* CMainFrame::ActiveChild() const {
    QMdiSubWindow* window = m_mdi->activeSubWindow();
    if (!window) {
        // Without the focus the area has no active window; a single chart is still the one
        // the commands mean.
        const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
        if (windows.size() == 1) window = windows.front();
    }
    return window ? dynamic_cast<CChildFrame*>(window->widget()) : nullptr;
}

// Counted as children, since the area lists no window while the frame is hidden.
int CMainFrame::ChildCount() const {
    int count = 0;
    for (QMdiSubWindow* window : m_mdi->findChildren<QMdiSubWindow*>())
        if (dynamic_cast<CChildFrame*>(window->widget())) ++count;
    return count;
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow*) {
    SyncTabs();
    UpdateTitle();
}

void CMainFrame::OnChildClosing(CStock& series) {
    if (m_info->Panel().Series() == &series) m_info->Clear();
    if (m_fund->Panel().Series() == &series) m_fund->Clear();
}

void CMainFrame::SyncTabs() {
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    QSignalBlocker block(m_tabs);
    while (m_tabs->count() > windows.size()) m_tabs->removeTab(m_tabs->count() - 1);
    for (int i = 0; i < windows.size(); ++i) {
        if (i >= m_tabs->count()) m_tabs->addTab(QString());
        m_tabs->setTabText(i, windows[i]->widget() ? windows[i]->widget()->windowTitle()
                                                   : windows[i]->windowTitle());
    }
    const int active = windows.indexOf(m_mdi->activeSubWindow());
    if (active >= 0) m_tabs->setCurrentIndex(active);
    m_tabs->setVisible(!windows.isEmpty());
}

// "ZentriStock - ACME", or "ZentriStock - [ACME]" while the chart window is maximised.
QString CMainFrame::DesiredTitle() const {
    CChildFrame* child = ActiveChild();
    if (!child) return "ZentriStock";
    QMdiSubWindow* window = m_mdi->activeSubWindow();
    return window && window->isMaximized() ? "ZentriStock - [" + child->Title() + "]"
                                           : "ZentriStock - " + child->Title();
}

void CMainFrame::UpdateTitle() {
    const QString title = DesiredTitle();
    if (windowTitle() != title) setWindowTitle(title);
}

// A maximised MDI window writes its own title into the frame's; the frame's form wins.
void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && m_mdi) UpdateTitle();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tabs && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::MiddleButton) {
            const int index = m_tabs->tabAt(mouse->position().toPoint());
            const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
            if (index >= 0 && index < windows.size()) windows[index]->close();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Panels

void CMainFrame::OnBarNotification(CStock* series, int barIndex, CChildFrame* chart) {
    m_info->Show(series, barIndex);
    if (!chart) {
        m_fund->Show(series, barIndex);
        return;
    }
    // The notification carries series and bar only: the range comes from the sending chart's
    // price pane as it is when the panel paints.
    m_fund->Show(series, barIndex,
                 [chart = QPointer<CChildFrame>(chart)]() -> CFundDistributionPanel::SPriceRange {
                     if (!chart || chart->Panes().Count() == 0) return {};
                     const CZentriStockView& price = chart->Panes().View(0);
                     return {price.yMin, price.yMax};
                 });
}

void CMainFrame::QuickEntry(char typed) {
    QDockWidget* dock = m_docks.at(kCmdViewNamePanel);
    if (!dock->isHidden()) return;
    dock->show();
    dock->raise();
    m_nameBar->BeginEntry(typed);
}

QDockWidget* CMainFrame::DockOf(unsigned viewCommand) const {
    auto it = m_docks.find(viewCommand);
    return it == m_docks.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::ToolBarOf(unsigned viewCommand) const {
    auto it = m_toolBars.find(viewCommand);
    return it == m_toolBars.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------------------------------
// Menus

void CMainFrame::ShowMenu(bool chartMenu) {
    QMenuBar* bar = menuBar();
    bar->clear();
    qDeleteAll(bar->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
    CMenuTable table = chartMenu ? ChartWindowMenu() : FrameMenu();
    InsertRecentFiles(table, m_recent);
    BuildMenuBar(*bar, table, [this](unsigned id) {
        // The handler may rebuild the menus, which deletes the action being triggered.
        QTimer::singleShot(0, this, [this, id] { OnCommand(id); });
    });
    TranslateMenus(*bar, chartMenu ? kChartWindowMenuId : kFrameMenuId);
    AttachMenuIcons(*bar);

    const SDownloadSettings links = SDownloadSettings::Read(m_context.Settings());
    ForEachAction(*bar, [&](QAction& action) {
        const unsigned id = CommandIdOf(action);
        action.setVisible(IsShown(id, links));
        if (IsToggle(id) || IsPeriod(id) || id == kCmdViewCrosshair) action.setCheckable(true);
    });
    for (QAction* top : bar->actions()) {
        QMenu* menu = top->menu();
        if (!menu) continue;
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            UpdateToggleChecks();
            FillWindowMenu(*menu);
        });
    }
    m_chartMenuShown = chartMenu;
    ScopeShortcuts();
}

// Chart shortcuts act only while the focus is in a chart window, so that Delete or Ctrl+C
// in the symbol entry field stay the field's own. New and Open mean nothing to a text field
// and also work with no chart open.
void CMainFrame::ScopeShortcuts() {
    ForEachAction(*menuBar(), [this](QAction& action) {
        const unsigned id = CommandIdOf(action);
        if (action.shortcut().isEmpty() || id == kCmdFileNew || id == kCmdFileOpen) return;
        action.setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_mdi->addAction(&action);
    });
}

void CMainFrame::UpdateToggleChecks() {
    CChildFrame* child = ActiveChild();
    ForEachAction(*menuBar(), [this, child](QAction& action) {
        const unsigned id = CommandIdOf(action);
        if (IsToggle(id)) action.setChecked(IsToggleShown(id));
        if (IsPeriod(id)) action.setChecked(child && child->IsChecked(id));
        if (id == kCmdViewCrosshair) action.setChecked(m_crosshair);
        // A chart command whose dialog this build lacks is greyed rather than dead.
        if (child && id < kCmdFirstChartWindow)
            action.setEnabled(id == kCmdOrganizeFavourites || id == kCmdOption ||
                              id == kCmdGannTable || child->Offers(id));
    });
}

// The Window menu ends with the open chart windows, the active one checked.
void CMainFrame::FillWindowMenu(QMenu& menu) {
    bool isWindowMenu = false;
    for (QAction* action : menu.actions()) {
        const unsigned id = CommandIdOf(*action);
        if (id == kCmdWindowCascade) isWindowMenu = true;
        if (id >= kCmdFirstChartWindow || action->property("chartList").toBool()) {
            menu.removeAction(action);
            delete action;
        }
    }
    if (!isWindowMenu) return;
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    if (windows.isEmpty()) return;
    menu.addSeparator()->setProperty("chartList", true);
    for (int i = 0; i < windows.size(); ++i) {
        QAction* item = menu.addAction(QString("&%1 %2").arg(i + 1).arg(windows[i]->windowTitle()));
        SetCommandId(*item, kCmdFirstChartWindow + i);
        item->setCheckable(true);
        item->setChecked(windows[i] == m_mdi->activeSubWindow());
        connect(item, &QAction::triggered, this,
                [this, i] { OnCommand(kCmdFirstChartWindow + i); });
    }
}

QMenu* CMainFrame::createPopupMenu() {
    auto* menu = new QMenu(this);
    BuildMenu(*menu, ToolbarContextMenu().front().items, [this](unsigned id) { OnCommand(id); });
    TranslateMenus(*menu, kToolbarMenuId);
    ForEachAction(*menu, [this](QAction& action) {
        const unsigned id = CommandIdOf(action);
        action.setCheckable(true);
        action.setChecked(IsToggleShown(id));
    });
    return menu;
}

bool CMainFrame::IsToggleShown(unsigned id) const {
    if (id == kCmdViewStatusBar) return !m_statusBar->isHidden();
    if (QDockWidget* dock = DockOf(id)) return !dock->isHidden();
    if (QToolBar* bar = ToolBarOf(id)) return !bar->isHidden();
    return false;
}

void CMainFrame::Toggle(unsigned id) {
    QWidget* widget = id == kCmdViewStatusBar ? static_cast<QWidget*>(m_statusBar) : DockOf(id);
    if (!widget) widget = ToolBarOf(id);
    if (widget) widget->setVisible(widget->isHidden());
}

// ---------------------------------------------------------------------------------------
// Commands

void CMainFrame::OnCommand(unsigned id) {
    if (OnFrameCommand(id)) return;
    if (CChildFrame* child = ActiveChild()) {
        child->OnCommand(id);
        return;
    }
    m_context.Prompter().ShowMessage(kNoChildWindow);
}

bool CMainFrame::OnFrameCommand(unsigned id) {
    if (IsToggle(id)) {
        Toggle(id);
        return true;
    }
    if (id >= kCmdRecentFile1 && id <= kCmdRecentFile4) {
        OpenRecentFile(static_cast<int>(id - kCmdRecentFile1));
        return true;
    }
    if (id >= kCmdFirstChartWindow) {
        const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
        const int index = static_cast<int>(id - kCmdFirstChartWindow);
        if (index < windows.size()) m_mdi->setActiveSubWindow(windows[index]);
        return true;
    }
    switch (id) {
    case kCmdFileNew:
        NewChart();
        return true;
    case kCmdFileOpen:
        OpenChartFile();
        return true;
    case kCmdFileClose:
        if (QMdiSubWindow* window = m_mdi->activeSubWindow()) window->close();
        return ActiveChild() != nullptr || m_mdi->activeSubWindow() != nullptr;
    case kCmdAppExit:
        close();
        return true;
    case kCmdAppAbout:
        ShowAbout();
        return true;
    case kCmdIndicatorDescriptions:
        CIndicatorDescriptions::Show(this, m_context.Paths().ProgramFolder());
        return true;
    case kCmdDataDownloader:
        LaunchDownloader(m_context.Paths(), [](const std::string& program,
                                               const std::vector<std::string>& args) {
            QStringList arguments;
            for (const std::string& arg : args) arguments << QString::fromStdString(arg);
            return QProcess::startDetached(QString::fromStdString(program), arguments);
        });
        return true;
    case kCmdHelpContent:
    case kCmdVisitHomePage:
    case kCmdVisitForum:
    case kCmdRealTimeMarket:
        OpenLink(id);
        return true;
    case kCmdViewCrosshair:
        SetCrosshair(!m_crosshair);
        return true;
    case kCmdOrganizeFavourites: {
        CFavouritesEdit edit = CFavouritesEdit::Load(m_context.Paths().FavouritesFolder());
        if (!COrganizeFavouritesFormset::Ask(this, edit) || !edit.Changed()) return true;
        if (const CFileResult applied = edit.Apply(); !applied)
            m_context.Prompter().ShowMessage("The favourites could not be changed: " +
                                             applied.message());
        m_nameBar->RefreshFavourites();
        return true;
    }
    case kCmdOption:
        EditEnvironment();
        return true;
    case kCmdUpdateStockList:
        UpdateStockList();
        return true;
    case kCmdGannTable: {
        CGannTableWindow table(SDownloadSettings::Read(m_context.Settings()).homePage, this);
        table.exec();
        return true;
    }
    case kCmdShowStockList:
    case kCmdShowDataFiles:
    case kCmdShowFavourites:
        ShowNamePanelPage(id);
        return true;
    case kCmdWindowCascade:
        m_mdi->cascadeSubWindows();
        return true;
    case kCmdWindowTile:
        m_mdi->tileSubWindows();
        return true;
    case kCmdWindowArrange:
        ArrangeIcons();
        return true;
    default:
        return false;
    }
}

// The markets of Index/market.txt; the proxy and the lists' address as the settings have them now.
void CMainFrame::UpdateStockList() {
    CMarketList markets;
    if (const CFileResult loaded = markets.Load(m_context.Paths().MarketList()); !loaded) {
        m_context.Prompter().ShowMessage("No markets to update: " + loaded.message());
        return;
    }
    const SDownloadSettings settings = SDownloadSettings::Read(m_context.Settings());
    CMarketListUpdater::SSetup setup;
    setup.systemFolder = m_context.Paths().SystemFolder();
    setup.baseAddress = settings.marketListServer;
    setup.listAddresses = settings.marketLists;
    setup.programFolder = m_context.Paths().ProgramFolder();
    setup.proxy.useProxy = settings.useProxy;
    setup.proxy.server = settings.proxyServer;
    setup.proxy.port = settings.proxyPort;
    m_listUpdate->Open(this, markets, std::move(setup));
}

// The open charts take the new options at once: each would otherwise write the values it
// opened with back to setup.ini when it closes. A maximum or window size that a chart file
// brought along is replaced only when the user changed that option.
void CMainFrame::EditEnvironment() {
    CEnvironmentEdit edit = CEnvironmentEdit::Read(m_context.Paths(), m_context.Settings());
    if (!CEnvironmentFormset::Ask(this, edit) || !edit.Changed()) return;
    if (!edit.Write(m_context.Settings()))
        m_context.Prompter().ShowMessage("The settings could not all be written to " +
                                         m_context.Paths().SetupIni() + ".");
    const SEnvironmentOptions& now = edit.Options();
    const SEnvironmentOptions& before = edit.Stored();
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        auto* child = dynamic_cast<CChildFrame*>(window->widget());
        if (!child) continue;
        CZentriStockDoc& document = child->Document();
        document.SetCurveFloating(now.curveFloating);
        document.SetYAxisOffset(now.yAxisOffset);
        if (now.maximumQuotes != before.maximumQuotes)
            document.Stock().SetMaximumQuotes(now.maximumQuotes, true);
        if (now.barsInWindow != before.barsInWindow)
            document.Stock().SetBarsInWindow(now.barsInWindow, true);
        child->RelayoutPanes();
    }
}

void CMainFrame::SetCrosshair(bool on) {
    m_crosshair = on;
    m_store.SetCrosshair(on);
    for (QMdiSubWindow* window : m_mdi->subWindowList())
        if (auto* child = dynamic_cast<CChildFrame*>(window->widget())) child->SetCrosshair(on);
}

void CMainFrame::ShowNamePanelPage(unsigned id) {
    m_docks.at(kCmdViewNamePanel)->show();
    m_nameBar->SetPage(id == kCmdShowStockList   ? CStockNameBar::kListPage
                       : id == kCmdShowDataFiles ? CStockNameBar::kDataPage
                                                 : CStockNameBar::kFavoritesPage);
}

void CMainFrame::OpenSymbolChart(const std::string& symbol, const std::string& market,
                                 bool newChart) {
    CChildFrame* child = newChart ? nullptr : ActiveChild();
    if (child) {
        child->OpenSymbol(symbol, market);
        UpdateTitle();
        SyncTabs();
        return;
    }
    auto document = CZentriStockDoc::NewChart(m_context);
    if (!document) return;
    document->OpenSymbol(symbol, market);
    OpenDocument(std::move(document));
}

void CMainFrame::NewChart() {
    OpenDocument(CZentriStockDoc::NewChart(m_context));
}

void CMainFrame::OpenChartFile() {
    SFileQuestion question;
    question.kind = SFileQuestion::EKind::Open;
    question.folder = m_context.Paths().ProgramFolder() + "chart/";
    question.filter = "*.cht";
    std::error_code ignored;
    std::filesystem::create_directories(question.folder, ignored);
    const std::optional<std::string> path =
        fileQuestion ? fileQuestion(question) : AskFileName(this, question);
    if (path && !path->empty()) OpenChartPath(*path);
}

bool CMainFrame::OpenChartPath(const std::string& path) {
    auto document = std::make_unique<CZentriStockDoc>(m_context);
    document->LoadSettings();
    if (!document->OpenChart(path)) return false;
    m_recent.Add(path);
    m_store.SaveRecentFiles(m_recent);
    OpenDocument(std::move(document));
    ShowMenu(m_chartMenuShown || ChildCount() > 0);
    return true;
}

void CMainFrame::OpenRecentFile(int index) {
    if (index >= static_cast<int>(m_recent.Entries().size())) return;
    const std::string path = m_recent.Entries()[index];
    if (!QFileInfo(QString::fromStdString(path)).isFile()) {
        m_recent.Remove(path);
        m_store.SaveRecentFiles(m_recent);
        ShowMenu(m_chartMenuShown);
        m_context.Prompter().ShowMessage("The file " + path +
                                         " no longer exists; it was removed from the list.");
        return;
    }
    OpenChartPath(path);
}

void CMainFrame::OpenLink(unsigned id) {
    SFrameLink link;
    if (id == kCmdHelpContent) {
        link = HelpLink(m_context.Paths());
    } else {
        CChildFrame* child = ActiveChild();
        link = WebLink(id, SDownloadSettings::Read(m_context.Settings()),
                       child ? child->Document().Symbol() : std::string());
    }
    if (!link.reason.empty()) m_context.Prompter().ShowMessage(link.reason);
    if (link.target.empty()) return;
    const QString target = QString::fromStdString(link.target);
    QDesktopServices::openUrl(id == kCmdHelpContent ? QUrl::fromLocalFile(target) : QUrl(target));
}

void CMainFrame::ShowAbout() {
    const CInstallPaths& paths = m_context.Paths();
    CAboutDialog about(
        CAboutDialog::RunningProgram(paths.ProgramFolder(), paths.SetupIni(), m_store.FileName(),
                                     SDownloadSettings::Read(m_context.Settings()).homePage),
        this);
    about.exec();
}

// Minimised chart windows line up along the bottom of the area, left to right.
void CMainFrame::ArrangeIcons() {
    int x = 0;
    const int bottom = m_mdi->viewport()->height();
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        window->move(x, bottom - size.height());
        x += size.width();
    }
}
