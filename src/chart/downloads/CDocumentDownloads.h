#pragma once
#include "chart/CZentriStockDoc.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "download/DownloadStarter.h"
#include <chrono>
#include <memory>
#include <string>

// The downloads of one chart document: the document's job queue and the window its jobs
// report to. A full download starts when the user agrees to fetch a missing quote file;
// "ReDownload" and "Update EOD Data" are the two commands. When a job has written the quote
// file, the window's handler loads it into the document on the user-interface loop.
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

    // Quote files loaded into the document after a download, for the caller's redraw.
    int Reloads() const { return m_reloads; }

private:
    bool StartMissingFileDownload(const std::string& symbol, const std::string& market);
    SDownloadRequest Request(const std::string& symbol, const std::string& market) const;
    long OnMessage(const SWindowMessage& message);

    CZentriStockDoc& m_document;
    std::shared_ptr<CLoopMessageTarget> m_window;
    std::unique_ptr<CMThreadedJobQ> m_queue;
    DownloadProgressFactory m_progress;
    uint32_t m_timeOutMs = 0;
    int m_reloads = 0;
};
