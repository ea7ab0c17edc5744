#pragma once
#include "chart/CZentriStockDoc.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "download/DownloadStarter.h"
#include <chrono>
#include <functional>
#include <memory>
#include <string>

// The downloads of one chart document: the document's job queue and the window its jobs
// report to. A full download starts when the user agrees to fetch a missing quote file;
// "ReDownload" and "Update EOD Data" are the two commands. When a job has written the quote
// file, the window's handler loads it into the document on the user-interface loop, unless
// the chart has moved on to another symbol meanwhile.
//
// Destruction detaches the window first, so a job that finishes later is dropped instead of
// reaching a closed chart, and then cancels and joins the queue.
class CDocumentDownloads {
public:
    CDocumentDownloads(
        CZentriStockDoc& document, CUiThreadLoop& loop,
        std::chrono::milliseconds dispatchPause = CMThreadedJobQ::kDefaultDispatchPause);
    ~CDocumentDownloads();
    CDocumentDownloads(const CDocumentDownloads&) = delete;
    CDocumentDownloads& operator=(const CDocumentDownloads&) = delete;

    // The progress dialog for each job (none by default) and the receive time-out (0: the
    // transfer's default).
    void SetProgress(DownloadProgressFactory progress) { m_progress = std::move(progress); }
    // The progress dialogs of the chart window: `openDialog` and every dialog it gives are
    // called on the user-interface thread; once the chart closes, a job that waits for them
    // goes on without a dialog.
    void SetWindowProgress(DownloadProgressFactory openDialog);
    void SetTimeOut(uint32_t milliseconds) { m_timeOutMs = milliseconds; }

    bool ReDownload();
    bool UpdateEodData();

    // Called on the user-interface thread after a downloaded file was loaded into the
    // document: the window redraws every pane.
    void SetReloaded(std::function<void()> reloaded) { m_reloaded = std::move(reloaded); }
    // Called, instead of loading, with the ticker of a result the chart no longer waits for
    // (it shows another symbol now): the window tells the user in its status bar.
    void SetOtherSymbolDownloaded(std::function<void(const std::string& ticker)> told) {
        m_otherSymbolDownloaded = std::move(told);
    }

private:
    struct SChartSymbol {
        std::string symbol;
        std::string market;
        bool operator==(const SChartSymbol&) const = default;
    };

    bool StartMissingFileDownload(const std::string& symbol, const std::string& market);
    // Remembers what a download that starts now is awaited for (see OnMessage).
    void Await(const std::string& symbol, const std::string& market);
    SChartSymbol Shown() const { return {m_document.Symbol(), m_document.Market()}; }
    SDownloadRequest Request(const std::string& symbol, const std::string& market) const;
    long OnMessage(const SWindowMessage& message);

    CZentriStockDoc& m_document;
    std::shared_ptr<CLoopMessageTarget> m_window;
    std::unique_ptr<CMThreadedJobQ> m_queue;
    DownloadProgressFactory m_progress;
    uint32_t m_timeOutMs = 0;
    std::function<void()> m_reloaded;
    std::function<void(const std::string&)> m_otherSymbolDownloaded;
    // The symbol the last download started was for, and what the chart showed then.
    SChartSymbol m_awaited;
    SChartSymbol m_shownAtStart;
    bool m_awaiting = false;
};
