#include "CChildFrame.h"
#include "CChartPrinting.h"
#include "CSymbolChoice.h"
#include "FileQuestionDialog.h"
#include "app/CElementClipboard.h"
#include "app/FrameCommands.h"
#include "app/ProgramMenus.h"
#include "chart/CZentriStockDoc.h"
#include "chart/downloads/CDocumentDownloads.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/jobs/qt/CDownloadDialogs.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include "download/CFavourites.h"
#include "download/CMarketList.h"
#include "download/CSymbolDatabase.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/CNDaysFormset.h"
#include "formset/qt/CPaneCountFormset.h"
#include "formset/qt/CStockSetFormset.h"
#include "formset/qt/CYScaleFormset.h"
#include "formset/qt/element/ElementProperties.h"
#include "formset/qt/view/CDisplayRangeFormset.h"
#include "formset/qt/view/PaneSettingsDialog.h"
#include "indicators/CTCurve.h"
#include "tools/CLine.h"
#include "tools/CText.h"
#include "view/CPaneStack.h"
#include "view/CPriceLineSettings.h"
#include "view/CZentriStockView.h"
#include "view/qt/CPaneWidget.h"
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr unsigned kCmdPriceCurveSetting = 32905;
constexpr unsigned kCmdAutoScale = 32956;
constexpr unsigned kCmdDelete = 32829;
constexpr unsigned kCmdSelectedObject = 32910;
constexpr unsigned kCmdSelectedObjectSetting = 32904;
constexpr unsigned kCmdChartTitleSetting = 33027;
constexpr unsigned kCmdAxisSetting = 33028;
constexpr unsigned kCmdChartWindowSetting = 32962;
constexpr unsigned kCmdCopy = 57634;
constexpr unsigned kCmdCut = 57635;
constexpr unsigned kCmdPaste = 57637;
// The Setting menu's dialogs that other windows provide.
constexpr unsigned kSettingDialogs[] = {32968, 33030};

bool IsSettingDialog(unsigned id) {
    for (unsigned dialog : kSettingDialogs)
        if (dialog == id) return true;
    return false;
}

} // namespace

CChildFrame::CChildFrame(std::unique_ptr<CZentriStockDoc> document, CUiThreadLoop& loop,
                         QWidget* parent)
    : QWidget(parent), m_document(std::move(document)),
      m_downloadDialogs(
          std::make_unique<CDownloadDialogs>(m_document->Context().Paths().ProgramFolder())),
      m_splitter(new QSplitter(Qt::Vertical, this)) {
    m_downloads = std::make_unique<CDocumentDownloads>(*m_document, loop);
    m_downloads->SetWindowProgress(m_downloadDialogs->Factory());
    m_downloads->SetReloaded([this] { ChartChanged(CChartCommands::EChange::Layout); });
    m_downloads->SetOtherSymbolDownloaded([this](const std::string& ticker) {
        if (onStatusText) onStatusText(QString::fromStdString(ticker) + " downloaded");
    });

    SChartQuestions questions;
    questions.file = [this](const SFileQuestion& question) { return AskFileName(this, question); };
    questions.insertOrReplace = [this](int pane, const std::string& paneName,
                                       const std::string& identifier) {
        return CInnerSelFormset::Ask(this, pane, paneName, identifier,
                                     m_document->Context().Paths().ProgramFolder());
    };
    questions.paneCount = [this](int current) { return CPaneCountFormset::Ask(this, current); };
    questions.nDays = [this](int current, int baseQuotes) {
        return CNDaysFormset::Ask(this, current, baseQuotes);
    };
    questions.symbolIcon = [this] { return AskSymbolIcon(this, 0); };
    m_commands =
        std::make_unique<CChartCommands>(*m_document, m_downloads.get(), std::move(questions));
    m_commands->focusedPane = [this] { return m_panes->FocusedPane(); };
    m_commands->armTool = [this](int code) { ArmTool(code); };
    m_commands->openChart = [this](std::unique_ptr<CZentriStockDoc> chart) {
        if (onOpenChart) onOpenChart(std::move(chart));
    };
    m_commands->saved = [this](const std::string& path) {
        if (onSaved) onSaved(path);
    };
    elementProperties =
        ElementPropertiesEditor(this, [this]() -> CStock& { return m_document->Stock(); });

    m_splitter->setObjectName("PaneSplitter");
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
    MakePanes();
    setMinimumSize(200, 150);
    setWindowTitle(Title());
    WatchClipboard();
}

CChildFrame::~CChildFrame() {
    if (onClosing) onClosing(m_document->Stock());
    m_downloads.reset();
    m_downloadDialogs.reset();
    for (CPaneWidget* pane : m_paneWidgets) delete pane;
    m_paneWidgets.clear();
    m_panes.reset();
    m_document->Close();
}

QString CChildFrame::Title() const {
    return QString::fromStdString(m_document->Title());
}

// One pane widget per pane number below the pane count, pane 0 on top, sharing the height
// as the price pane's two shares to every indicator pane's one. Without stretch factors the
// splitter keeps the shares, also those the user dragged, when the window is resized.
void CChildFrame::MakePanes() {
    const bool hadFocus = m_splitter->hasFocus() || isAncestorOf(QApplication::focusWidget());
    for (CPaneWidget* pane : m_paneWidgets) delete pane;
    m_paneWidgets.clear();
    m_panes = std::make_unique<CPaneStack>(*m_document, m_document->Context().Settings());
    m_panes->Views().SetRedrawRequest([this] { RedrawPanes(); });
    QList<int> shares;
    for (int pane = 0; pane < m_panes->Count(); ++pane) {
        auto* widget = new CPaneWidget(*m_panes, pane, m_splitter);
        widget->setObjectName(QString("Pane%1").arg(pane));
        ConnectPane(*widget);
        widget->SetCrosshair(m_crosshair);
        m_splitter->addWidget(widget);
        m_paneWidgets.push_back(widget);
        m_panes->View(pane).SetYScaleDialog(
            CYScaleFormset::ViewDialog(this, [this] { OnPaneCommand(kCmdAutoScale); }));
        shares << 1000 *
                      (pane == 0 ? CPaneStack::kPricePaneWeight : CPaneStack::kIndicatorPaneWeight);
    }
    m_splitter->setSizes(shares);
    setFocusProxy(m_paneWidgets.front());
    if (hadFocus) m_paneWidgets.front()->setFocus();
}

void CChildFrame::ConnectPane(CPaneWidget& pane) {
    pane.onTitleToggled = [this](int) { ApplyHidden(); };
    pane.onCursorMoved = [this](int hovered, int bar, int row) {
        for (CPaneWidget* widget : m_paneWidgets)
            widget->SetCursor(bar, widget->Pane() == hovered ? row : -1);
    };
    pane.onBarEntered = [this](CStock& series, int bar) {
        if (onBarEntered) onBarEntered(series, bar);
    };
    pane.onElementsChanged = [this] { RedrawPanes(); };
    pane.onTextPlaced = [this](int placed) { TextPlaced(placed); };
    pane.onReadOut = [this](const std::string& value, const std::string& date) {
        if (onReadOut) onReadOut(value, date);
    };
    pane.onOpen = [this](int, SInputResult::EOpen dialog) {
        switch (dialog) {
        case SInputResult::EOpen::Properties:
            OnCommand(kCmdSelectedObject);
            break;
        case SInputResult::EOpen::WindowSettings:
            OnCommand(kCmdChartWindowSetting);
            break;
        case SInputResult::EOpen::YScale:
            OnCommand(CZentriStockView::kYScaleDialog);
            break;
        default:
            break;
        }
    };
    pane.onContextMenu = [this](int, QPoint global, bool valueAxis) {
        ShowContextMenu(global, valueAxis);
    };
    pane.onSymbolKey = [this](char typed) {
        if (onSymbolKey) onSymbolKey(typed);
    };
}

void CChildFrame::ApplyHidden() {
    for (CPaneWidget* widget : m_paneWidgets)
        widget->setVisible(!m_panes->IsHidden(widget->Pane()));
    RedrawPanes();
}

void CChildFrame::SetCrosshair(bool on) {
    m_crosshair = on;
    for (CPaneWidget* widget : m_paneWidgets) widget->SetCrosshair(on);
}

void CChildFrame::RedrawPanes() {
    for (CPaneWidget* widget : m_paneWidgets) widget->Invalidate(CPaneWidget::EStale::Pane);
}

void CChildFrame::RelayoutPanes() {
    if (m_panes->Count() > 0) m_panes->View(0).RelayoutAll();
    RedrawPanes();
}

void CChildFrame::ArmTool(int code) {
    const int focused = m_panes->FocusedPane();
    for (CPaneWidget* widget : m_paneWidgets)
        widget->Tracker().Arm(widget->Pane() == focused ? code : 0);
}

// A text element waits for its text; without one it is taken out again, so that no invisible
// element stays in the chart.
void CChildFrame::TextPlaced(int pane) {
    CPaneWidget& widget = *m_paneWidgets.at(pane);
    auto* text = dynamic_cast<CText*>(widget.Tracker().Selected());
    if (!text) return;
    // The press that placed it ends here: the dialog takes the release.
    widget.Tracker().MouseUp(-1, -1, SPaneMapping{});
    if (!EnterPlacedText(*text, this)) widget.Tracker().RemoveSelected();
    RedrawPanes();
}

void CChildFrame::ShowContextMenu(QPoint global, bool valueAxis) {
    QMenu menu(this);
    const CMenuTable table = ChartContextMenu();
    BuildMenu(menu, table.at(valueAxis ? 1 : 0).items, [this](unsigned id) {
        // After the menu has closed, as a menu bar command runs.
        QTimer::singleShot(0, this, [this, id] {
            if (onCommand)
                onCommand(id);
            else
                OnCommand(id);
        });
    });
    TranslateMenus(menu, kChartContextMenuId);
    for (QAction* action : menu.actions())
        if (!action->isSeparator()) action->setEnabled(Offers(CommandIdOf(*action)));
    AddFavouritesMenu(menu);
    menu.exec(global);
}

// "Add to Favorites" opens the list of the favourites groups; with none it stays greyed.
void CChildFrame::AddFavouritesMenu(QMenu& menu) {
    for (QAction* item : menu.actions()) {
        if (CommandIdOf(*item) != kCmdAddToFavourites) continue;
        auto* groups = new QMenu(&menu);
        for (const std::string& group : FavouriteGroups()) {
            QString label = QString::fromStdString(group);
            QAction* entry = groups->addAction(label.replace('&', "&&"));
            connect(entry, &QAction::triggered, this, [this, group] { AddToFavourites(group); });
        }
        item->setMenu(groups);
        item->setEnabled(!groups->actions().isEmpty());
    }
}

void CChildFrame::Tell(const QString& text) {
    if (onStatusText) onStatusText(text);
}

std::vector<std::string> CChildFrame::FavouriteGroups() const {
    return CFavourites(m_document->Context().Paths().FavouritesFolder()).Groups();
}

bool CChildFrame::AddToFavourites(const std::string& group) {
    const std::string& symbol = m_document->Symbol();
    const QString quoted = "\"" + QString::fromStdString(group) + "\"";
    if (symbol.empty() || symbol == "NoName") {
        Tell("This chart shows no symbol to add to the favourites.");
        return false;
    }
    const CInstallPaths& paths = m_document->Context().Paths();
    // The name as the name lookup gives it: the chart's market first, then every market. A
    // chart that knows no market (one read from an older chart file) takes the market the
    // name was found in, so that the favourite can be opened again.
    std::vector<std::string> markets = {m_document->Market()};
    CMarketList list;
    if (list.Load(paths.MarketList()))
        markets.insert(markets.end(), list.Codes().begin(), list.Codes().end());
    std::string foundIn;
    CFavourites::SEntry entry{symbol,
                              LookupSymbolName(paths.SystemFolder(), markets, symbol, &foundIn),
                              m_document->Market()};
    if (entry.market.empty()) entry.market = foundIn;
    const CFavourites favourites(paths.FavouritesFolder());
    std::vector<CFavourites::SEntry> entries;
    (void)favourites.Load(group, entries);
    for (const CFavourites::SEntry& kept : entries)
        if (kept.symbol == entry.symbol && kept.market == entry.market) {
            Tell(QString::fromStdString(symbol) + " is already in the favourites group " + quoted +
                 ".");
            return false;
        }
    const CFileResult added = favourites.Add(group, entry);
    if (!added) {
        Tell(QString::fromStdString(symbol) + " could not be added to the favourites group " +
             quoted + ": " + QString::fromStdString(added.message()));
        return false;
    }
    Tell(QString::fromStdString(symbol) + " was added to the favourites group " + quoted + ".");
    return true;
}

// The menu bar sets Paste when its menu opens; a copy made after that must wake it, or Ctrl+V
// would stay dead until the menu is opened again.
void CChildFrame::WatchClipboard() {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (QAction* paste = FindCommandAction(*window(), kCmdPaste))
            paste->setEnabled(ClipboardHoldsElement());
    });
}

bool CChildFrame::ClipboardHoldsElement() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(CElementClipboard::kMimeType);
}

void CChildFrame::CopyToClipboard(bool cut) {
    CSymbol* selected = SelectedElement();
    auto* data = new QMimeData;
    if (!selected || !CElementClipboard::IsDrawing(*selected)) {
        data->setImageData(m_splitter->grab().toImage());
        QGuiApplication::clipboard()->setMimeData(data);
        Tell("The chart's image was copied.");
        return;
    }
    const CElementClipboard record = CElementClipboard::Copy(*selected, m_document->Stock());
    const std::string bytes = record.Bytes();
    data->setData(CElementClipboard::kMimeType,
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    data->setText(QString::fromStdString(record.Description()));
    QGuiApplication::clipboard()->setMimeData(data);
    const QString described = QString::fromStdString(record.Description());
    if (!cut) {
        Tell("Copied: " + described);
        return;
    }
    // Delete's own path: a reference line goes with its indicator, and one whose indicator is
    // unknown stays, so the cut is only a copy then.
    CElementTracker& tracker = PaneWidget(m_panes->FocusedPane()).Tracker();
    const bool removed = tracker.RemoveSelected();
    if (removed) RedrawPanes();
    Tell((removed ? "Cut: " : "Copied: ") + described);
}

void CChildFrame::PasteFromClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(CElementClipboard::kMimeType)) {
        Tell("The clipboard holds no chart element to paste.");
        return;
    }
    const QByteArray bytes = data->data(CElementClipboard::kMimeType);
    CElementClipboard record;
    const CFileResult read = CElementClipboard::Parse(
        std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), record);
    if (!read) {
        Tell("Nothing was pasted. " + QString::fromStdString(read.message()));
        return;
    }
    const int focused = m_panes->FocusedPane();
    CZentriStockView& view = m_panes->View(focused);
    CTCurve* pane = view.Pane();
    std::unique_ptr<CSymbol> element = record.Recreate(m_document->Stock());
    if (!pane || !element) {
        Tell("Nothing was pasted. The pane has no room for chart elements.");
        return;
    }
    CSymbol* placed = CElementClipboard::PlaceInPane(*pane, std::move(element));
    // A drawing keeps its colour unless it would vanish into this pane's background; then it
    // takes the colour a new drawing gets here.
    if (auto* line = dynamic_cast<CLine*>(placed))
        line->color = CElementTracker::VisibleColourOn(line->color, view.backgroundColour);
    CElementTracker& tracker = PaneWidget(focused).Tracker();
    tracker.SetPane(pane);
    tracker.SetSeries(&view.Stock(), view.paneIndex);
    tracker.SelectElement(placed);
    RedrawPanes();
    Tell("Pasted: " + QString::fromStdString(record.Description()));
}

bool CChildFrame::IsChecked(unsigned id) const {
    return m_commands->IsChecked(id);
}

bool CChildFrame::Offers(unsigned id) const {
    if (IsSettingDialog(id)) return static_cast<bool>(settingDialog);
    if (id == kCmdPaste) return ClipboardHoldsElement();
    if (id == kCmdAddToFavourites) return !FavouriteGroups().empty();
    if (id == kCmdPrint || id == kCmdPrintPreview || id == kCmdPageSetup)
        return m_printing != nullptr;
    if (id == kCmdSelectedObject || id == kCmdSelectedObjectSetting)
        return elementProperties && SelectedElement();
    return true;
}

// The selected element of the focused pane while its pane still lists it.
CSymbol* CChildFrame::SelectedElement() const {
    if (m_paneWidgets.empty()) return nullptr;
    return m_paneWidgets.at(m_panes->FocusedPane())->Tracker().Selected();
}

bool CChildFrame::ShowSelectedProperties() {
    CSymbol* selected = SelectedElement();
    if (!selected || !elementProperties) return true;
    if (elementProperties(*selected, m_panes->FocusedPane())) RedrawPanes();
    return true;
}

bool CChildFrame::OnCommand(unsigned id) {
    if (id == kCmdPriceCurveSetting) {
        EditPriceLineSettings(m_document->Stock(), CStockSetFormset::Editor(this),
                              [this] { RedrawPanes(); });
        return true;
    }
    if (IsSettingDialog(id)) {
        if (settingDialog && settingDialog(id, *this)) RedrawPanes();
        return static_cast<bool>(settingDialog);
    }
    if (ShowViewDialog(id)) return true;
    if (OnPrintCommand(id)) return true;
    if (id == kCmdCopy || id == kCmdCut) {
        CopyToClipboard(id == kCmdCut);
        return true;
    }
    if (id == kCmdPaste) {
        PasteFromClipboard();
        return true;
    }
    if (id == kCmdSelectedObject || id == kCmdSelectedObjectSetting)
        return ShowSelectedProperties();
    if (id == kCmdDelete) {
        CElementTracker& tracker = PaneWidget(m_panes->FocusedPane()).Tracker();
        CSymbol* selected = tracker.Selected();
        if (tracker.RemoveSelected())
            RedrawPanes();
        else if (selected && selected == &m_document->Stock() && onStatusText)
            onStatusText("The price series can't be deleted.");
        return true;
    }
    if (m_commands->OnCommand(id)) {
        ChartChanged(m_commands->LastChange());
        return true;
    }
    return OnPaneCommand(id);
}

bool CChildFrame::ShowViewDialog(unsigned id) {
    if (id == kCmdDisplayRange) {
        if (m_document->Stock().Display().empty())
            m_document->Context().Prompter().ShowMessage("The chart has no bars to show.");
        else if (EditDisplayRange(m_document->Stock(), CDisplayRangeFormset::Editor(this)))
            m_panes->View(0).RelayoutAll();
        return true;
    }
    if (id != kCmdChartTitleSetting && id != kCmdAxisSetting && id != kCmdChartWindowSetting)
        return false;
    const EViewParPart part = id == kCmdChartTitleSetting ? EViewParPart::Title
                              : id == kCmdAxisSetting     ? EViewParPart::Axis
                                                          : EViewParPart::Window;
    if (EditPaneViewSettings(*m_document, m_panes->FocusedPane(), part,
                             PaneSettingsDialog(part, this)))
        RedrawPanes();
    return true;
}

bool CChildFrame::OnPrintCommand(unsigned id) {
    if (!m_printing) return false;
    switch (id) {
    case kCmdPrint:
        m_printing->Print(this, *m_panes);
        return true;
    case kCmdPrintPreview:
        m_printing->Preview(this, *m_panes);
        return true;
    case kCmdPageSetup:
        m_printing->PageSetup(this);
        return true;
    default:
        return false;
    }
}

// Navigation, zoom and scale commands act on the pane with the focus, the price pane until
// one has it.
bool CChildFrame::OnPaneCommand(unsigned id) {
    if (m_panes->Count() == 0 ||
        !m_panes->View(m_panes->FocusedPane()).OnCommand(static_cast<int>(id)))
        return false;
    RedrawPanes();
    return true;
}

bool CChildFrame::OpenSymbol(const std::string& symbol, const std::string& market) {
    const bool opened = m_document->OpenSymbol(symbol, market);
    ChartChanged(CChartCommands::EChange::Layout);
    return opened;
}

void CChildFrame::ChartChanged(CChartCommands::EChange change) {
    if (change == CChartCommands::EChange::Layout && m_document->PaneCount() != PaneCount())
        MakePanes();
    if (change != CChartCommands::EChange::None) RedrawPanes();
    setWindowTitle(Title());
}
