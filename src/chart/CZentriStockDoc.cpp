#include "CZentriStockDoc.h"
#include "CChartFile.h"
#include "CChartTemplate.h"
#include "ctlkit/base/CPrompter.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/QuoteFileFormat.h"
#include "quotes/QuoteFileLocation.h"
#include "settings/SetupSettings.h"
#include <filesystem>
#include <system_error>

namespace {
constexpr unsigned kDownloadQuestionId = 1;
constexpr const char* kDownloadQuestion =
    "The data file of the selected stock is not exist.\nClick yes to download the data.";
constexpr const char* kNoChildWindow = "Please open a child window first.";
constexpr const char* kUnopenableTemplate = "Can not open the selected template file.";
constexpr const char* kWrongTemplateType = "Error file type.";
constexpr const char* kNoName = "NoName";
constexpr unsigned kSelectStockId = 88;
constexpr int kMinNewPanes = 2;
constexpr int kMaxNewPanes = 9;
constexpr const char* kSelectStock = "Please select a stock first.";

std::unique_ptr<CStock> NewSeries(CModelContext& context) {
    auto stock = std::make_unique<CStock>(context.Now());
    CStockPanes::InstallIn(*stock);
    return stock;
}
} // namespace

CZentriStockDoc::CZentriStockDoc(CModelContext& context)
    : m_context(&context), m_stock(NewSeries(context)), m_translator(context.Paths().SetupIni()) {
    m_symbol = LastChartSettings().tickerName;
    m_paneCount = m_stock->PaneCount();
    m_title = m_symbol;
}

CZentriStockDoc::~CZentriStockDoc() = default;

void CZentriStockDoc::Tell(const std::string& text) const {
    m_context->Prompter().ShowMessage(text);
}

void CZentriStockDoc::LoadSettings() {
    m_stock->LoadSettings(*m_context);
    // The window a new chart opens with, as last chosen; not a choice of this chart's own.
    m_stock->SetBarsInWindow(StockLineSettings::Read(m_context->Settings()).barsInWindow, false);
    const LastChartSettings last = LastChartSettings::Read(m_context->Settings());
    m_symbol = last.tickerName;
    m_market = last.tickerMarket;
    const EnvironmentSettings environment = EnvironmentSettings::Read(m_context->Settings());
    m_curveFloating = environment.curveFloating;
    m_yAxisOffset = environment.yAxisOffset;
    m_title = m_symbol;
}

void CZentriStockDoc::Close() {
    SaveSettings();
    CloseSeries(*m_stock);
}

void CZentriStockDoc::CloseSeries(CStock& stock) {
    CFileResult exported = stock.Close(*m_context);
    if (!exported) Tell(exported.message());
}

void CZentriStockDoc::SaveSettings() {
    LastChartSettings last;
    last.tickerName = m_symbol;
    last.tickerMarket = m_market;
    last.Write(m_context->Settings());
    EnvironmentSettings environment;
    environment.curveFloating = m_curveFloating;
    environment.yAxisOffset = m_yAxisOffset;
    environment.Write(m_context->Settings());
}

void CZentriStockDoc::MakePanes() {
    m_paneCount = m_stock->PaneCount();
    CStockPanes& panes = CStockPanes::InstallIn(*m_stock);
    for (int number = 0; number < m_paneCount; ++number) panes.PaneAt(number);
}

void CZentriStockDoc::DefaultNewChartLook() {
    for (int pane = 0; pane < CStock::kViewParCount; ++pane)
        m_stock->ViewPar(pane).DefaultToRoundTicks();
}

void CZentriStockDoc::NewDocument() {
    m_stock->PaneHost()->RebuildCostDistribution(*m_stock);
    MakePanes();
    m_title = kNoName;
}

bool CZentriStockDoc::LoadSymbolQuotes(const std::string& symbol, const std::string& market) {
    SQuoteFileLocation location;
    if (CFileResult located = LocateQuoteFile(m_context->DataFolder(), market, symbol, location);
        !located) {
        Tell(located.message());
        return false;
    }
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(location.path, ignored)) return false;
    if (CFileResult checked = CheckQuoteFile(location.path); !checked) {
        Tell(checked.message());
        return false;
    }
    CFileResult loaded = m_stock->LoadQuoteFile(location.path);
    if (!loaded) {
        if (!loaded.message().empty()) Tell(loaded.message());
        if (!loaded.partial()) return false;
    }
    m_symbol = location.symbol;
    m_market = market;
    m_stock->SetSymbolName(location.symbol);
    m_stock->SetMarket(market);
    m_title = m_symbol;
    return true;
}

bool CZentriStockDoc::OpenSymbol(const std::string& symbol, const std::string& market) {
    SQuoteFileLocation location;
    if (CFileResult located = LocateQuoteFile(m_context->DataFolder(), market, symbol, location);
        !located) {
        Tell(located.message());
        return false;
    }
    if (LoadSymbolQuotes(symbol, market)) return true;
    const std::string question =
        CLanguage::TranslateString(kDownloadQuestionId).value_or(kDownloadQuestion);
    if (m_context->Prompter().AskYesNo(question) && m_downloadStarter)
        m_downloadStarter(location.symbol, market);
    return false;
}

bool CZentriStockDoc::OpenChart(const std::string& path) {
    std::unique_ptr<CStock> read;
    const CFileResult loaded = CChartFile::Load(path, read);
    if (!loaded) {
        Tell("The chart file " + path + " cannot be read: " + loaded.message() + ".");
        return false;
    }
    // The series read from the file keeps its own quote count; the settings' count is what
    // closing it stores when the user chose none.
    const StockLineSettings setup = StockLineSettings::Read(m_context->Settings());
    if (!setup.sectionExists) Tell("Section doesn't exist");
    read->KeepSetupMaximum(setup.maximumQuotes);
    CloseSeries(*m_stock);
    m_stock = std::move(read);
    m_symbol = m_stock->SymbolName();
    m_market = m_stock->Market();
    m_spareText = m_stock->SpareText();
    m_paneCount = m_stock->PaneCount();
    m_title = m_stock->SymbolName();
    return true;
}

bool CZentriStockDoc::SaveChart(const std::string& path) {
    const CFileResult saved = CChartFile::Save(*m_stock, path);
    if (saved) return true;
    Tell("The chart file " + path + " cannot be saved: " + saved.message() + ".");
    return false;
}

void CZentriStockDoc::MakeDayPeriod() {
    m_stock->MakeDayLine(false);
}

void CZentriStockDoc::MakeWeekPeriod() {
    m_stock->MakeWeekLine(false);
}

void CZentriStockDoc::MakeMonthPeriod() {
    m_stock->MakeMonthLine(false);
}

void CZentriStockDoc::MakeNDayPeriod(int n) {
    m_stock->SetNDays(n);
    m_stock->MakeNDayLine(false);
}

void CZentriStockDoc::DeleteAllCurves() {
    CStockPanes& panes = CStockPanes::InstallIn(*m_stock);
    for (int number = 0; number < static_cast<int>(panes.Count()); ++number) {
        CTCurve& pane = *panes.Pane(number);
        pane.DeleteCurves();
        pane.RemoveIndicatorElements();
    }
    // Without their identifiers the curves would come back with the next reload.
    for (int number = 0; number < CStock::kViewParCount; ++number)
        m_stock->ViewPar(number).identifiers.clear();
}

void CZentriStockDoc::DeleteAllSymbols() {
    CStockPanes& panes = CStockPanes::InstallIn(*m_stock);
    for (int number = 0; number < static_cast<int>(panes.Count()); ++number)
        panes.Pane(number)->RemoveDrawings();
}

bool CZentriStockDoc::SaveTemplate(const std::string& path) {
    // A template keeps the look as shown: ticks no pane chose are the ticks from the bottom
    // value, which new charts made from it then keep.
    for (int pane = 0; pane < CStock::kViewParCount; ++pane) {
        CViewPar& par = m_stock->ViewPar(pane);
        if (par.flagBytes[CViewPar::kRoundTicksByte] == CViewPar::kRoundTicksUnset)
            par.SetRoundTicks(false);
    }
    const CFileResult saved = CChartTemplate::From(*m_stock).Save(path);
    if (saved) return true;
    Tell("The template file " + path + " cannot be saved: " + saved.message() + ".");
    return false;
}

bool CZentriStockDoc::SaveAsDefaultTemplate() {
    std::error_code ignored;
    std::filesystem::create_directories(m_context->Paths().SystemFolder(), ignored);
    return SaveTemplate(m_context->Paths().DefaultTemplate());
}

bool CZentriStockDoc::LoadTemplate(const std::string& path, CChartTemplate& chartTemplate) const {
    const CFileResult loaded = chartTemplate.Load(path);
    switch (loaded.kind()) {
    case CFileResult::EKind::Ok:
        return true;
    case CFileResult::EKind::CannotOpen:
        Tell(kUnopenableTemplate);
        return false;
    case CFileResult::EKind::WrongType:
        Tell(kWrongTemplateType);
        return false;
    default:
        Tell("The template file " + path + " cannot be read: " + loaded.message() + ".");
        return false;
    }
}

bool CZentriStockDoc::ReadTemplate(const std::string& path) {
    CChartTemplate chartTemplate;
    if (!LoadTemplate(path, chartTemplate)) return false;
    chartTemplate.ApplyTo(*m_stock);
    MakePanes();
    return true;
}

bool CZentriStockDoc::ApplyTemplate(const std::string& path) {
    CChartTemplate chartTemplate;
    if (!LoadTemplate(path, chartTemplate)) return false;
    CStockPanes& panes = CStockPanes::InstallIn(*m_stock);
    for (int number = 0; number < static_cast<int>(panes.Count()); ++number) {
        panes.Pane(number)->DeleteCurves();
        panes.Pane(number)->RemoveIndicatorElements();
    }
    chartTemplate.ApplyTo(*m_stock);
    MakePanes();
    panes.ReplayIndicators(*m_stock);
    return true;
}

void CZentriStockDoc::KeepPane(int pane) {
    if (pane < m_paneCount || pane >= CStock::kViewParCount) return;
    m_stock->SetPaneCount(pane + 1);
    MakePanes();
}

bool CZentriStockDoc::RefreshData() {
    const std::string path = m_stock->QuoteFilePath();
    if (m_symbol == kNoName || path.empty()) {
        Tell(CLanguage::TranslateString(kSelectStockId).value_or(kSelectStock));
        return false;
    }
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        Tell("The quote file " + path + " no longer exists; the chart stays as it was.");
        return false;
    }
    if (CFileResult checked = CheckQuoteFile(path); !checked) {
        Tell(checked.message());
        return false;
    }
    // Read on the side first: a file that stops part-way must not replace the chart.
    CStock trial(m_context->Now());
    trial.SetMaximumQuotes(m_stock->MaximumQuotes(), false);
    const CFileResult read = trial.LoadQuoteFile(path);
    if (!read.ok()) {
        Tell("The quote file " + path + " cannot be read" +
             (read.message().empty() ? std::string() : ": " + read.message()) +
             "; the chart stays as it was.");
        return false;
    }
    const CFileResult loaded = m_stock->LoadQuoteFile(path);
    if (!loaded && !loaded.message().empty()) Tell(loaded.message());
    return loaded.ok();
}

bool CZentriStockDoc::HasActiveChart(CModelContext& context, const CZentriStockDoc* active) {
    if (active) return true;
    context.Prompter().ShowMessage(kNoChildWindow);
    return false;
}

std::unique_ptr<CZentriStockDoc> CZentriStockDoc::Opened(CModelContext& context) {
    auto document = std::make_unique<CZentriStockDoc>(context);
    document->LoadSettings();
    return document;
}

std::unique_ptr<CZentriStockDoc> CZentriStockDoc::FromDefaultTemplate(CModelContext& context) {
    auto document = Opened(context);
    document->ReadTemplate(context.Paths().DefaultTemplate());
    document->NewDocument();
    document->DefaultNewChartLook();
    return document;
}

std::unique_ptr<CZentriStockDoc> CZentriStockDoc::NewChart(CModelContext& context) {
    return FromDefaultTemplate(context);
}

std::unique_ptr<CZentriStockDoc> CZentriStockDoc::NewChartOfSymbol(CModelContext& context,
                                                                   const CZentriStockDoc* active) {
    if (!HasActiveChart(context, active)) return nullptr;
    auto document = FromDefaultTemplate(context);
    document->OpenSymbol(active->Symbol(), active->Market());
    return document;
}

std::unique_ptr<CZentriStockDoc> CZentriStockDoc::NewChartWithPanes(CModelContext& context,
                                                                    const CZentriStockDoc* active,
                                                                    int panes) {
    if (!HasActiveChart(context, active)) return nullptr;
    // The pane counts a template holds, so that the new chart's look can be saved as one.
    if (panes < kMinNewPanes || panes > kMaxNewPanes) {
        context.Prompter().ShowMessage("A new chart holds 2 to 9 panes, not " +
                                       std::to_string(panes) + ".");
        return nullptr;
    }
    auto document = FromDefaultTemplate(context);
    document->m_stock->SetPaneCount(panes);
    document->MakePanes();
    document->OpenSymbol(active->Symbol(), active->Market());
    return document;
}

std::unique_ptr<CZentriStockDoc>
CZentriStockDoc::NewChartFromTemplateFile(CModelContext& context, const std::string& path) {
    auto document = Opened(context);
    if (!document->ReadTemplate(path)) return nullptr;
    document->NewDocument();
    document->DefaultNewChartLook();
    // A fresh installation has no last chart: the new chart stays empty.
    if (document->Symbol() != kNoName) document->OpenSymbol(document->Symbol(), document->Market());
    return document;
}

std::unique_ptr<CZentriStockDoc>
CZentriStockDoc::NewChartFromTemplate(CModelContext& context, const CZentriStockDoc* active,
                                      const std::string& path) {
    if (!HasActiveChart(context, active)) return nullptr;
    auto document = Opened(context);
    document->ReadTemplate(path);
    document->NewDocument();
    document->DefaultNewChartLook();
    document->OpenSymbol(active->Symbol(), active->Market());
    return document;
}
