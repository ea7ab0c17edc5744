#pragma once
#include "CQuoteSource.h"
#include "SProxyValues.h"
#include "ctlkit/base/CFileResult.h"
#include "ctlkit/jobs/CDownloadProgressSink.h"
#include "ctlkit/jobs/CJob.h"
#include "ctlkit/jobs/CJobResult.h"
#include "ctlkit/jobs/CMessageTarget.h"
#include <cstdint>
#include <memory>
#include <string>

class CWebGrab;
class QuoteFileLock;

// What the full download and the renewal share: their copies of ticker, folder, market,
// proxy and service address, the window they report to, their progress dialog, and the
// common start of the transfer. The job shares nothing with the document but the notify
// window, which it holds as a target that a closed document detaches.
//
// Every way out of a job gives exactly one result (CJobResult): Done when the file was
// written, Failed after a message, Cancelled when the user or the queue stopped it.
class CQuoteJob : public CJob {
public:
    ~CQuoteJob() override;

    void SetTicker(std::string ticker) { m_ticker = std::move(ticker); }
    // With a trailing "/"; "Data/" until set.
    void SetDataFolder(std::string folder) { m_dataFolder = std::move(folder); }
    void SetMarket(std::string market) { m_market = std::move(market); }
    void SetNotifyWindow(std::shared_ptr<CMessageTarget> window) { m_notify = std::move(window); }
    void SetProxy(SProxyValues proxy) { m_proxy = std::move(proxy); }
    // The historical-quote service, to which the query path is appended.
    void SetQuoteServer(std::string server) { m_server = std::move(server); }
    // The service asked and how its answers are read; the yahoo form at the quote server
    // until set.
    void SetSource(std::shared_ptr<const CQuoteSource> source) { m_source = std::move(source); }
    void SetProgressFactory(DownloadProgressFactory factory) { m_progressFactory = factory; }
    // Receive time-out of the transfer in milliseconds; 0 = the default.
    void SetTimeOut(uint32_t milliseconds) { m_timeOut = milliseconds; }
    void SetResult(std::shared_ptr<CJobResult> result) { m_result = std::move(result); }

    const std::string& Ticker() const { return m_ticker; }
    const std::string& Market() const { return m_market; }
    const std::string& DataFolder() const { return m_dataFolder; }
    // <data folder><market>/<ticker>.csv
    std::string QuoteFilePath() const;

    void discard() override;

protected:
    CQuoteJob();

    enum class ETransfer { Received, Cancelled, Failed };
    // The common start: the progress dialog titled "<ticker> Data DownLoading running", the
    // proxy, the fetch (GetData with the cut-off when `cutoff` is given and the source answers
    // newest first, else GetFile) and the checks of the answer: cancelled, nothing received
    // (text 2), an answer the source classifies as no quotes (its message, or text 3), an
    // answer its conversion refuses (the conversion's message). On Received `text` holds the
    // answer in the quote file's form. On Failed the message has been shown.
    ETransfer Transfer(const std::string& url, const int64_t* cutoff, std::string& text,
                       bool& cutShort);
    // Whether `text` would read back whole as the quote file it is to replace (see
    // CheckQuoteAnswer); if not, the dialog is told to close, the refused line is named in a
    // message (after "Unkonwn data file format." for an unknown month) and false returned.
    bool AnswerReadsWhole(const std::string& text);

    // The names form a path: a name that cannot be a path part ends the job with a message.
    bool NamesAreSafe();
    // The user pressed "Cancel" or the queue is being destroyed.
    bool Cancelled();
    void CloseDialog();
    // Shows `text` on the user-interface thread, after the dialog was told to close.
    void Show(const std::string& text);
    void ShowString(unsigned id);
    // Sends WM_QUOTE_DOWNLOADED; a detached window drops it.
    void NotifyWritten();
    // Writes the quote file in place of the old one (the market folder is made when
    // missing); CannotWrite with nothing changed on failure. Under the file's QuoteFileLock,
    // held here unless LockQuoteFile took it already.
    CFileResult WriteQuoteFile(const std::string& text);
    // Takes the file's exclusive QuoteFileLock until WriteQuoteFile or the end of the job (a
    // renewal holds it from reading the old file to writing the new one); false when it
    // cannot be taken.
    bool LockQuoteFile();
    void Finish(EJobResult result);
    const std::string& Server() const { return m_server; }
    const CQuoteSource& Source();

private:
    std::string m_ticker;
    std::string m_dataFolder = "Data/";
    std::string m_market;
    std::shared_ptr<CMessageTarget> m_notify;
    SProxyValues m_proxy;
    std::string m_server;
    std::shared_ptr<const CQuoteSource> m_source;
    DownloadProgressFactory m_progressFactory;
    uint32_t m_timeOut = 0;
    std::shared_ptr<CJobResult> m_result;
    std::shared_ptr<CDownloadProgressSink> m_progress;
    // The dialog's "Cancel", watched by the transfer; held here so it outlives the transfer.
    std::shared_ptr<const std::atomic<bool>> m_userCancel;
    std::unique_ptr<QuoteFileLock> m_fileLock;
};
