#include "CChildFrame.h"
#include "CChartPrinting.h"
#include "CSymbolChoice.h"
#include "FileQuestionDialog.h"
#include "app/FrameCommands.h"
#include "app/ProgramMenus.h"
#include "chart/CZentriStockDoc.h"
#include "chart/downloads/CDocumentDownloads.h"
#include "ctlkit/jobs/qt/CDownloadDialogs.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/CNDaysFormset.h"
#include "formset/qt/CPaneCountFormset.h"
#include "formset/qt/CStockSetFormset.h"
#include "formset/qt/CYScaleFormset.h"
#include "formset/qt/element/ElementProperties.h"
#include "tools/CText.h"
#include "view/CPaneStack.h"
#include "view/CPriceLineSettings.h"
#include "view/CZentriStockView.h"
#include "view/qt/CPaneWidget.h"
#include <QApplication>
#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr unsigned kCmdPriceCurveSetting = 32905;
constexpr unsigned kCmdAutoScale = 32956;
constexpr unsigned kCmdDelete = 32829;
constexpr unsigned kCmdSelectedObject = 32910;
constexpr unsigned kCmdSelectedObjectSetting = 32904;
constexpr unsigned kCmdChartWindowSetting = 32962;
// The Setting menu's dialogs that other windows provide.
constexpr unsigned kSettingDialogs[] = {33027, 33028, 32962, 32968, 33030};
// Commands whose windows this build does not have yet: the clipboard, the stock list update
// and the Gann table. Their items are greyed.
constexpr unsigned kNotOffered[] = {57635, 57634, 57637, 32985, 32973};

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
    questions.insertOrReplace = [this](int pane, const std::string& paneName) {
        return CInnerSelFormset::Ask(this, pane, paneName);
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
    menu.exec(global);
}

bool CChildFrame::IsChecked(unsigned id) const {
    return m_commands->IsChecked(id);
}

bool CChildFrame::Offers(unsigned id) const {
    for (unsigned missing : kNotOffered)
        if (missing == id) return false;
    if (IsSettingDialog(id)) return static_cast<bool>(settingDialog);
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
    if (OnPrintCommand(id)) return true;
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

void CChildFrame::ChartChanged(CChartCommands::EChange change) {
    if (change == CChartCommands::EChange::Layout && m_document->PaneCount() != PaneCount())
        MakePanes();
    if (change != CChartCommands::EChange::None) RedrawPanes();
    setWindowTitle(Title());
}
