#include "app/CChartCommands.h"
#include "app/FrameCommands.h"
#include "chart/CZentriStockDoc.h"
#include "chart/downloads/CDocumentDownloads.h"
#include "ctlkit/base/CPrompter.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/IndicatorBuilder.h"
#include "indicators/IndicatorCatalog.h"
#include "tools/CIco.h"
#include <filesystem>
#include <system_error>

namespace {

constexpr unsigned kCmdSave = 57603;
constexpr unsigned kCmdSaveTemplate = 32844;
constexpr unsigned kCmdApplyTemplate = 32840;
constexpr unsigned kCmdNewTemplate = 32891;
constexpr unsigned kCmdDaily = 32936;
constexpr unsigned kCmdWeekly = 32937;
constexpr unsigned kCmdMonthly = 32938;
constexpr unsigned kCmdUserPeriod = 32942;
constexpr unsigned kCmdRefresh = 32877;
constexpr unsigned kCmdDeleteAllCurves[] = {33032, 32959};
constexpr unsigned kCmdDeleteAllSymbols[] = {33033, 32960};
constexpr unsigned kCmdReDownload = 32781;
constexpr unsigned kCmdUpdateEod = 32779;
constexpr unsigned kCmdSymbols = 32871;

constexpr const char* kAskDeleteCurves =
    "Delete every indicator curve and trade flag of this chart? This cannot be undone.";
constexpr const char* kAskDeleteSymbols =
    "Delete every drawing of this chart? This cannot be undone.";

struct SCommandIndicator {
    unsigned id;
    const char* identifier;
};
constexpr SCommandIndicator kIndicators[] = {
    {32785, "SMA"},      {32805, "WMA"},     {32806, "EMA"},     {32809, "BOL"},
    {32812, "KC"},       {32814, "MAE"},     {32815, "SAR"},     {33034, "52WK H and L"},
    {32788, "VOL"},      {32990, "VOLP"},    {32787, "STC"},     {32786, "MACD"},
    {32807, "ADX"},      {32808, "ATR"},     {32810, "CCI"},     {32813, "MTM"},
    {32816, "ROC"},      {32820, "MFI"},     {32821, "OBV"},     {32988, "RSI"},
    {32989, "VOLA"},     {32991, "VAO"},     {32992, "WR"},      {32823, "FLAGMA"},
    {32826, "FLAGWMA"},  {32827, "FLAGEMA"}, {32828, "FLAGSAR"}, {32824, "FLAGKDJ"},
    {32825, "FLAGMACD"},
};

struct SCommandTool {
    unsigned id;
    int code;
};
constexpr SCommandTool kTools[] = {
    {32817, 1},
    {32818, 2},
    {32819, 3},
    {32848, 5},
    {32849, 6},
    {32850, 7},
    {32851, 8},
    {32852, 9},
    {32853, 10},
    {32854, 11},
    {32856, 12},
    {32857, 13},
    {32858, 14},
    {32860, 15},
    {32861, 16},
    {32862, 17},
    {32863, 18},
    {32864, 19},
    {32865, 20},
    {32866, 21},
    {32867, 22},
    {32868, 24},
    {32869, 25},
    {32911, 27},
    {32870, 28},
    {32872, 30},
    // The icons of the symbol tool box.
    {32930, 51},
    {32966, 52},
    {32946, 53},
    {32947, 54},
    {32948, 55},
    {32949, 56},
    {32950, 57},
    {32951, 58},
    {32952, 59},
    {32953, 60},
};
constexpr unsigned kFirstMoreIcons = 32993; // 32993 to 33022: codes 61 to 90
constexpr int kFirstMoreIconCode = 61;
constexpr int kMoreIcons = 30;

bool OneOf(unsigned id, const unsigned (&ids)[2]) {
    return id == ids[0] || id == ids[1];
}

// A saved file's name with the extension its reader expects.
std::string WithExtension(const std::string& path, const char* extension) {
    return std::filesystem::path(path).extension() == extension ? path : path + extension;
}

std::string ChartFolder(const CZentriStockDoc& document) {
    return document.Context().Paths().ProgramFolder() + "chart/";
}

} // namespace

CChartCommands::CChartCommands(CZentriStockDoc& document, CDocumentDownloads* downloads,
                               SChartQuestions questions)
    : m_document(document), m_downloads(downloads), m_questions(std::move(questions)) {}

int CChartCommands::ToolCode(unsigned id) {
    for (const SCommandTool& tool : kTools)
        if (tool.id == id) return tool.code;
    if (id >= kFirstMoreIcons && id < kFirstMoreIcons + kMoreIcons)
        return kFirstMoreIconCode + static_cast<int>(id - kFirstMoreIcons);
    return 0;
}

const char* CChartCommands::IndicatorOf(unsigned id) {
    for (const SCommandIndicator& indicator : kIndicators)
        if (indicator.id == id) return indicator.identifier;
    return nullptr;
}

bool CChartCommands::IsChecked(unsigned id) const {
    const int period = m_document.Stock().Period();
    switch (id) {
    case kCmdDaily:
        return period == CStock::kPeriodDay;
    case kCmdWeekly:
        return period == CStock::kPeriodWeek;
    case kCmdMonthly:
        return period == CStock::kPeriodMonth;
    case kCmdUserPeriod:
        return period == CStock::kPeriodNDays;
    default:
        return false;
    }
}

bool CChartCommands::OnCommand(unsigned id) {
    m_change = EChange::None;
    if (const char* identifier = IndicatorOf(id)) return Insert(identifier);
    if (const int code = ToolCode(id)) {
        if (armTool) armTool(code);
        return true;
    }
    if (OneOf(id, kCmdDeleteAllCurves)) return DeleteAll(true);
    if (OneOf(id, kCmdDeleteAllSymbols)) return DeleteAll(false);
    switch (id) {
    case kCmdSave:
        return Save();
    case kCmdSaveTemplate:
        return SaveTemplate();
    case kCmdNewTemplate:
        m_document.SaveAsDefaultTemplate();
        return true;
    case kCmdApplyTemplate:
        return ApplyTemplate(false);
    case kCmdUseDefaultTemplate:
        return ApplyTemplate(true);
    case kCmdNewChartOfSymbol:
        return NewChartOfSymbol();
    case kCmdNewChartWithPanes:
        return NewChartWithPanes();
    case kCmdNewChartFromTemplate:
        return NewChartFromTemplate();
    case kCmdDaily:
        m_document.MakeDayPeriod();
        m_change = EChange::Panes;
        return true;
    case kCmdWeekly:
        m_document.MakeWeekPeriod();
        m_change = EChange::Panes;
        return true;
    case kCmdMonthly:
        m_document.MakeMonthPeriod();
        m_change = EChange::Panes;
        return true;
    case kCmdUserPeriod:
        return UserDefinedPeriod();
    case kCmdRefresh:
        return Refresh();
    case kCmdReDownload:
        if (m_downloads) m_downloads->ReDownload();
        return true;
    case kCmdUpdateEod:
        if (m_downloads) m_downloads->UpdateEodData();
        return true;
    case kCmdSymbols:
        return ArmSymbols();
    default:
        return false;
    }
}

std::optional<std::string> CChartCommands::AskFile(SFileQuestion::EKind kind,
                                                   const std::string& folder,
                                                   const std::string& filter,
                                                   const std::string& proposed) {
    if (!m_questions.file) return std::nullopt;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    SFileQuestion question{kind, folder, filter, proposed};
    std::optional<std::string> path = m_questions.file(question);
    if (path && path->empty()) return std::nullopt;
    return path;
}

bool CChartCommands::Save() {
    const std::optional<std::string> path = AskFile(
        SFileQuestion::EKind::Save, ChartFolder(m_document), "*.cht", m_document.Symbol() + ".cht");
    if (!path) return true;
    const std::string file = WithExtension(*path, ".cht");
    if (m_document.SaveChart(file) && saved) saved(file);
    return true;
}

bool CChartCommands::SaveTemplate() {
    std::optional<std::string> path =
        AskFile(SFileQuestion::EKind::Save, m_document.Context().Paths().TemplateFolder(), "*.tmp");
    if (!path) return true;
    m_document.SaveTemplate(WithExtension(*path, ".tmp"));
    return true;
}

// "Apply Template" opens the chart again in the template's look in a window of its own; the
// toolbar's "Default Template" gives this chart the default look.
bool CChartCommands::ApplyTemplate(bool fromDefault) {
    if (fromDefault) {
        const int panes = m_document.PaneCount();
        if (m_document.ApplyTemplate(m_document.Context().Paths().DefaultTemplate()))
            m_change = m_document.PaneCount() == panes ? EChange::Panes : EChange::Layout;
        return true;
    }
    std::optional<std::string> path =
        AskFile(SFileQuestion::EKind::Open, m_document.Context().Paths().TemplateFolder(), "*.tmp");
    if (!path) return true;
    Open(CZentriStockDoc::NewChartFromTemplate(m_document.Context(), &m_document, *path));
    return true;
}

bool CChartCommands::NewChartOfSymbol() {
    Open(CZentriStockDoc::NewChartOfSymbol(m_document.Context(), &m_document));
    return true;
}

bool CChartCommands::NewChartWithPanes() {
    if (!m_questions.paneCount) return true;
    const std::optional<int> panes = m_questions.paneCount(m_document.PaneCount());
    if (!panes) return true;
    Open(CZentriStockDoc::NewChartWithPanes(m_document.Context(), &m_document, *panes));
    return true;
}

bool CChartCommands::NewChartFromTemplate() {
    std::optional<std::string> path =
        AskFile(SFileQuestion::EKind::Open, m_document.Context().Paths().TemplateFolder(), "*.tmp");
    if (!path) return true;
    Open(CZentriStockDoc::NewChartFromTemplate(m_document.Context(), &m_document, *path));
    return true;
}

void CChartCommands::Open(std::unique_ptr<CZentriStockDoc> chart) {
    if (chart && openChart) openChart(std::move(chart));
}

bool CChartCommands::UserDefinedPeriod() {
    if (!m_questions.nDays) return true;
    const CStock& stock = m_document.Stock();
    const std::optional<int> n =
        m_questions.nDays(stock.NDays(), static_cast<int>(stock.Base().size()));
    if (!n || *n < 1) return true;
    m_document.MakeNDayPeriod(*n);
    m_change = EChange::Panes;
    return true;
}

bool CChartCommands::Refresh() {
    if (m_document.RefreshData()) m_change = EChange::Panes;
    return true;
}

// There is no undo, so both ask first.
bool CChartCommands::DeleteAll(bool curves) {
    if (!m_document.Context().Prompter().AskYesNo(curves ? kAskDeleteCurves : kAskDeleteSymbols))
        return true;
    if (curves)
        m_document.DeleteAllCurves();
    else
        m_document.DeleteAllSymbols();
    m_change = EChange::Panes;
    return true;
}

// Overlays and flags go to the price pane; a sub-chart indicator to the focused pane, or to
// pane 1 while the price pane has the focus.
bool CChartCommands::Insert(const char* identifier) {
    const SIndicatorEntry* entry = FindIndicator(identifier);
    if (!entry) return false;
    int pane = 0;
    if (entry->place == EIndicatorPlace::Sub) {
        pane = focusedPane ? focusedPane() : 0;
        if (pane == 0) pane = 1;
    }
    bool insert = true;
    if (entry->place != EIndicatorPlace::Flags) {
        const CTCurve* target = CStockPanes::InstallIn(m_document.Stock()).Pane(pane);
        const std::optional<bool> choice =
            m_questions.insertOrReplace
                ? m_questions.insertOrReplace(pane, target ? target->paneName : std::string(),
                                              identifier)
                : std::optional<bool>(true);
        if (!choice) return true;
        insert = *choice;
    }
    const int panes = m_document.PaneCount();
    if (!BuildIndicator(m_document.Stock(), *entry, pane, insert, true)) return true;
    m_document.KeepPane(pane);
    m_change = m_document.PaneCount() == panes ? EChange::Panes : EChange::Layout;
    return true;
}

bool CChartCommands::ArmSymbols() {
    if (!m_questions.symbolIcon) return true;
    const std::optional<int> icon = m_questions.symbolIcon();
    if (!icon || *icon < 0 || *icon >= CIco::kIconCount) return true;
    if (armTool) armTool(CIco::kFirstToolCode + *icon);
    return true;
}
