#pragma once
#include "ctlkit/jobs/CJob.h"
#include "ctlkit/jobs/CMessageTarget.h"
#include "ctlkit/jobs/CStatusTextSink.h"
#include "download/CQuoteSource.h"
#include "download/SProxyValues.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The downloader's job for one selected record: brings the quote file
// <data folder><market>/<ticker>.csv up to date and reports to its notify window.
//
// An existing quote file is renewed from its newest day (only the newer days are fetched and
// put in front of its lines); a missing one is downloaded in full from the start date. The
// file is replaced atomically, and the job holds the file's QuoteFileLock from reading the
// old file to renaming the new one, so the chart program never sees a half-merged file and
// two writers never interleave. Nothing is written unless a whole answer came.
//
// Every run ends with exactly one report, unless the queue is going away:
//   WM_FETCH_DONE (sent) with lParam = the days added; 0 when the file was up to date,
//   WM_FETCH_FAILED (sent) kFetchNoAnswer: no answer or the transfer broke off,
//   WM_FETCH_FAILED (posted) kFetchNotQuotes: the answer is no quote list or cannot be merged,
//   WM_FETCH_FAILED (posted) kFetchCannotWrite: the file cannot be read back or written, or
//   it is not a CSV quote file (another header, a ticker-list file for instance) and is
//   left as it is.
class CQuoteFetchJob : public CJob {
public:
    enum class EOutcome { Pending, Done, NothingNew, NoAnswer, NotQuotes, CannotWrite, Cancelled };

    CQuoteFetchJob();

    void SetTicker(std::string ticker) { m_ticker = std::move(ticker); }
    // With a trailing "/"; "Data/" until set.
    void SetDataFolder(std::string folder) { m_dataFolder = std::move(folder); }
    void SetMarket(std::string market) { m_market = std::move(market); }
    // Local midnight; the first day a full download asks for (1 January 1980 until set).
    void SetStartDate(int64_t date) { m_startDate = date; }
    // The time the record was queued: "today" for the query and the up-to-date check.
    void SetRequestTime(int64_t time) { m_requestTime = time; }
    void SetNotifyWindow(std::shared_ptr<CMessageTarget> window) { m_notify = std::move(window); }
    void SetProxy(SProxyValues proxy) { m_proxy = std::move(proxy); }
    // The historical-quote service, to which the query path is appended.
    void SetQuoteServer(std::string server) { m_server = std::move(server); }
    // The service asked and how its answers are read; the yahoo form at the quote server
    // until set. A source answering oldest first is read whole, newest first with the cut-off.
    void SetSource(std::shared_ptr<const CQuoteSource> source) { m_source = std::move(source); }
    // The window's status control for the transfer's texts; none when null.
    void SetStatusText(std::shared_ptr<CStatusTextSink> status) { m_status = std::move(status); }
    // Receive time-out of the transfer in milliseconds; 0 = the transfer's default.
    void SetTimeOut(uint32_t milliseconds) { m_timeOut = milliseconds; }

    const std::string& Ticker() const { return m_ticker; }
    const std::string& Market() const { return m_market; }
    // <data folder><market>/<ticker>.csv
    std::string QuoteFilePath() const;

    void execute() override;

    // After execute.
    EOutcome Outcome() const { return m_outcome; }
    // The start date the query used: the newest local day for a renewal.
    int64_t StartDate() const { return m_startDate; }
    bool Renewal() const { return m_renewal; }
    const std::vector<std::string>& PreviousLines() const { return m_previousLines; }
    const std::vector<std::string>& NewLines() const { return m_newLines; }

private:
    EOutcome Run();
    void Report(EOutcome outcome);

    std::string m_ticker;
    std::string m_dataFolder = "Data/";
    std::string m_market;
    int64_t m_startDate;
    int64_t m_requestTime;
    std::shared_ptr<CMessageTarget> m_notify;
    SProxyValues m_proxy;
    std::vector<std::string> m_previousLines;
    std::vector<std::string> m_newLines;

    std::string m_server;
    std::shared_ptr<const CQuoteSource> m_source;
    std::shared_ptr<CStatusTextSink> m_status;
    uint32_t m_timeOut = 0;
    bool m_renewal = false;
    EOutcome m_outcome = EOutcome::Pending;
};
