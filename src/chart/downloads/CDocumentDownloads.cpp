#include "CDocumentDownloads.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/jobs/CLoopProgressSink.h"
#include "ctlkit/jobs/WindowMessages.h"
#include "download/QuoteQuery.h"

CDocumentDownloads::CDocumentDownloads(CZentriStockDoc& document, CUiThreadLoop& loop,
                                       std::chrono::milliseconds dispatchPause)
    : m_document(document),
      m_window(CLoopMessageTarget::Create(
          loop, [this](const SWindowMessage& message) { return OnMessage(message); })),
      m_queue(std::make_unique<CMThreadedJobQ>(dispatchPause)) {
    m_document.SetDownloadStarter([this](const std::string& symbol, const std::string& market) {
        StartMissingFileDownload(symbol, market);
    });
}

CDocumentDownloads::~CDocumentDownloads() {
    m_document.SetDownloadStarter(nullptr);
    m_window->Detach();
    m_queue.reset();
}

void CDocumentDownloads::SetWindowProgress(DownloadProgressFactory openDialog) {
    m_progress = CLoopProgressSink::Factory(m_window, std::move(openDialog));
}

// The document has already asked whether to download; only the job is left to start.
bool CDocumentDownloads::StartMissingFileDownload(const std::string& symbol,
                                                  const std::string& market) {
    if (!StartFullDownload(*m_queue, Request(symbol, market), MissingFileStartDate())) return false;
    Await(symbol, market);
    return true;
}

bool CDocumentDownloads::ReDownload() {
    const SChartSymbol shown = Shown();
    if (!::ReDownload(*m_queue, Request(shown.symbol, shown.market))) return false;
    Await(shown.symbol, shown.market);
    return true;
}

bool CDocumentDownloads::UpdateEodData() {
    const SChartSymbol shown = Shown();
    if (!::UpdateEodData(*m_queue, Request(shown.symbol, shown.market))) return false;
    Await(shown.symbol, shown.market);
    return true;
}

void CDocumentDownloads::Await(const std::string& symbol, const std::string& market) {
    m_awaited = {symbol, market};
    m_shownAtStart = Shown();
    m_awaiting = true;
}

// Settings are read now, as each download starts, so a changed proxy applies at once.
SDownloadRequest CDocumentDownloads::Request(const std::string& symbol,
                                             const std::string& market) const {
    SDownloadRequest request;
    request.ticker = symbol;
    request.market = market;
    request.dataFolder = m_document.Context().DataFolder();
    request.notify = m_window;
    request.progress = m_progress;
    request.settings = SDownloadSettings::Read(m_document.Context().Settings());
    ChooseQuoteSource(request, SQuoteSourceSettings::Read(m_document.Context().Settings()));
    request.timeOutMs = m_timeOutMs;
    return request;
}

// Which results are loaded: a result for what the chart shows now (a redownload or renewal
// of the shown symbol), or the one the last download was started for, provided the chart
// still shows what it showed when that download started. Any other result (the user opened
// another symbol meanwhile) leaves the chart alone and is only told to the window.
long CDocumentDownloads::OnMessage(const SWindowMessage& message) {
    if (message.message != WM_QUOTE_DOWNLOADED) return 0;
    const SChartSymbol result{message.wText, message.lText};
    const SChartSymbol shown = Shown();
    const bool forShown = result == shown;
    const bool awaited = m_awaiting && result == m_awaited && shown == m_shownAtStart;
    if (!forShown && !awaited) {
        if (m_otherSymbolDownloaded) m_otherSymbolDownloaded(result.symbol);
        return 0;
    }
    if (!m_document.LoadSymbolQuotes(result.symbol, result.market)) return 0;
    if (awaited) m_awaiting = false;
    if (m_reloaded) m_reloaded();
    return 1;
}
