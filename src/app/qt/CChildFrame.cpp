#include "CChildFrame.h"
#include "chart/CZentriStockDoc.h"
#include "chart/downloads/CDocumentDownloads.h"
#include "formset/qt/CStockSetFormset.h"
#include "view/CPaneStack.h"
#include "view/CPriceLineSettings.h"
#include "view/qt/PaneStackWidget.h"
#include <QVBoxLayout>

namespace {
constexpr unsigned kCmdDaily = 32936;
constexpr unsigned kCmdWeekly = 32937;
constexpr unsigned kCmdMonthly = 32938;
constexpr unsigned kCmdPriceCurveSetting = 32905;
} // namespace

CChildFrame::CChildFrame(std::unique_ptr<CZentriStockDoc> document, CUiThreadLoop& loop,
                         QWidget* parent)
    : QWidget(parent), m_document(std::move(document)) {
    m_downloads = std::make_unique<CDocumentDownloads>(*m_document, loop);
    m_panes = std::make_unique<CPaneStack>(*m_document, m_document->Context().Settings());
    m_paneWidget = new PaneStackWidget(*m_panes, this);
    m_paneWidget->setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_paneWidget);
    setFocusProxy(m_paneWidget);
    setWindowTitle(Title());
}

CChildFrame::~CChildFrame() {
    if (onClosing) onClosing(m_document->Stock());
    m_downloads.reset();
    delete m_paneWidget;
    m_panes.reset();
    m_document->Close();
}

QString CChildFrame::Title() const {
    return QString::fromStdString(m_document->Title());
}

bool CChildFrame::OnCommand(unsigned id) {
    switch (id) {
    case kCmdDaily:
        m_document->MakeDayPeriod();
        break;
    case kCmdWeekly:
        m_document->MakeWeekPeriod();
        break;
    case kCmdMonthly:
        m_document->MakeMonthPeriod();
        break;
    case kCmdPriceCurveSetting:
        EditPriceLineSettings(m_document->Stock(), CStockSetFormset::Editor(this),
                              [this] { m_paneWidget->update(); });
        return true;
    default:
        return OnPaneCommand(id);
    }
    ChartChanged();
    return true;
}

// Navigation, zoom and scale commands act on the pane with the focus, the price pane until
// one has it.
bool CChildFrame::OnPaneCommand(unsigned id) {
    int focused = 0;
    for (int pane = 0; pane < m_panes->Count(); ++pane)
        if (m_panes->View(pane).hasFocus) focused = pane;
    if (m_panes->Count() == 0 || !m_panes->View(focused).OnCommand(static_cast<int>(id)))
        return false;
    m_paneWidget->Relayout();
    return true;
}

void CChildFrame::ChartChanged() {
    m_paneWidget->Relayout();
    setWindowTitle(Title());
}
