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
    return StartFullDownload(*m_queue, Request(symbol, market), MissingFileStartDate());
}

bool CDocumentDownloads::ReDownload() {
    return ::ReDownload(*m_queue, Request(m_document.Symbol(), m_document.Market()));
}

bool CDocumentDownloads::UpdateEodData() {
    return ::UpdateEodData(*m_queue, Request(m_document.Symbol(), m_document.Market()));
}

// Settings are read now, as each download starts, so a changed proxy applies at once.
SDownloadRequest CDocumentDownloads::Request(const std::string& symbol,
                                             const std::string& market) const {
    SDownloadRequest request;
    request.ticker = symbol;
    request.market = market;
    request.dataFolder = m_document.Context().Paths().DataFolder();
    request.notify = m_window;
    request.progress = m_progress;
    request.settings = SDownloadSettings::Read(m_document.Context().Settings());
    request.timeOutMs = m_timeOutMs;
    return request;
}

long CDocumentDownloads::OnMessage(const SWindowMessage& message) {
    if (message.message != WM_QUOTE_DOWNLOADED) return 0;
    if (!m_document.LoadSymbolQuotes(message.wText, message.lText)) return 0;
    ++m_reloads;
    return 1;
}
