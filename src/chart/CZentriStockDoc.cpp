#include "CZentriStockDoc.h"
#include "CChartFile.h"
#include "CChartTemplate.h"
#include "ctlkit/base/CPrompter.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/QuoteFileFormat.h"
#include "quotes/QuoteFileLocation.h"
#include "settings/InstallPaths.h"
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

void Tell(const std::string& text) {
    CPrompter::Active().ShowMessage(text);
}

std::unique_ptr<CStock> NewSeries() {
    auto stock = std::make_unique<CStock>();
    CStockPanes::InstallIn(*stock);
    return stock;
}
} // namespace

CZentriStockDoc::CZentriStockDoc() : m_stock(NewSeries()) {
    const LastChartSettings last = LastChartSettings::Read(m_settings);
    m_symbol = last.tickerName;
    m_market = last.tickerMarket;
    m_settings.getKeyValue("DataDirectory", "DATA_DIRECTORY");
    const EnvironmentSettings environment = EnvironmentSettings::Read(m_settings);
    m_curveFloating = environment.curveFloating;
    m_yAxisOffset = environment.yAxisOffset;
    m_paneCount = m_stock->PaneCount();
    m_title = m_symbol;
}

CZentriStockDoc::~CZentriStockDoc() {
    try {
        SaveSettings();
    } catch (...) {
        // A destructor must not throw; setup.ini keeps its old values.
    }
}

void CZentriStockDoc::SaveSettings() {
    LastChartSettings last;
    last.tickerName = m_symbol;
    last.tickerMarket = m_market;
    last.Write(m_settings);
    EnvironmentSettings environment;
    environment.curveFloating = m_curveFloating;
    environment.yAxisOffset = m_yAxisOffset;
    environment.Write(m_settings);
}

void CZentriStockDoc::MakePanes() {
    m_paneCount = m_stock->PaneCount();
    CStockPanes& panes = CStockPanes::InstallIn(*m_stock);
    for (int number = 0; number < m_paneCount; ++number) panes.PaneAt(number);
}

void CZentriStockDoc::NewDocument() {
    m_stock->PaneHost()->RebuildCostDistribution(*m_stock);
    MakePanes();
    m_title = kNoName;
}

bool CZentriStockDoc::LoadSymbolQuotes(const std::string& symbol, const std::string& market) {
    SQuoteFileLocation location;
    if (!LocateQuoteFile(market, symbol, location)) return false;
    std::error_code ignored;
    const bool present = std::filesystem::is_regular_file(location.path, ignored);
    if (!present || !CheckQuoteFile(location.path) || !m_stock->LoadQuoteFile(location.path))
        return false;
    m_symbol = location.symbol;
    m_market = market;
    m_stock->SetSymbolName(location.symbol);
    m_stock->SetMarket(market);
    m_title = m_symbol;
    return true;
}

bool CZentriStockDoc::OpenSymbol(const std::string& symbol, const std::string& market) {
    SQuoteFileLocation location;
    if (!LocateQuoteFile(market, symbol, location)) return false;
    if (LoadSymbolQuotes(symbol, market)) return true;
    const std::string question =
        CLanguage::TranslateString(kDownloadQuestionId).value_or(kDownloadQuestion);
    if (CPrompter::Active().AskYesNo(question) && m_downloadStarter)
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
    const CFileResult saved = CChartTemplate::From(*m_stock).Save(path);
    if (saved) return true;
    Tell("The template file " + path + " cannot be saved: " + saved.message() + ".");
    return false;
}

bool CZentriStockDoc::SaveAsDefaultTemplate() {
    std::error_code ignored;
    std::filesystem::create_directories(InstallPaths::SystemFolder(), ignored);
    return SaveTemplate(InstallPaths::DefaultTemplate());
}

bool CZentriStockDoc::ReadTemplate(const std::string& path) {
    CChartTemplate chartTemplate;
    const CFileResult loaded = chartTemplate.Load(path);
    switch (loaded.kind()) {
    case CFileResult::EKind::Ok:
        break;
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
    chartTemplate.ApplyTo(*m_stock);
    MakePanes();
    return true;
}

bool CZentriStockDoc::HasActiveChart(const CZentriStockDoc* active) {
    if (active) return true;
    Tell(kNoChildWindow);
    return false;
}

std::unique_ptr<CZentriStockDoc> CZentriStockDoc::FromDefaultTemplate() {
    auto document = std::make_unique<CZentriStockDoc>();
    document->ReadTemplate(InstallPaths::DefaultTemplate());
    document->NewDocument();
    return document;
}

std::unique_ptr<CZentriStockDoc> CZentriStockDoc::NewChart() {
    return FromDefaultTemplate();
}

std::unique_ptr<CZentriStockDoc> CZentriStockDoc::NewChartOfSymbol(const CZentriStockDoc* active) {
    if (!HasActiveChart(active)) return nullptr;
    auto document = FromDefaultTemplate();
    document->OpenSymbol(active->Symbol(), active->Market());
    return document;
}

std::unique_ptr<CZentriStockDoc> CZentriStockDoc::NewChartWithPanes(const CZentriStockDoc* active,
                                                                    int panes) {
    if (!HasActiveChart(active)) return nullptr;
    if (panes < 1 || panes > CChartFile::kMaxPanes) {
        Tell("A chart holds 1 to 10 panes, not " + std::to_string(panes) + ".");
        return nullptr;
    }
    auto document = FromDefaultTemplate();
    document->m_stock->SetPaneCount(panes);
    document->MakePanes();
    document->OpenSymbol(active->Symbol(), active->Market());
    return document;
}

std::unique_ptr<CZentriStockDoc>
CZentriStockDoc::NewChartFromTemplate(const CZentriStockDoc* active, const std::string& path) {
    if (!HasActiveChart(active)) return nullptr;
    auto document = std::make_unique<CZentriStockDoc>();
    document->ReadTemplate(path);
    document->NewDocument();
    document->OpenSymbol(active->Symbol(), active->Market());
    return document;
}
