#include "CFetchRun.h"
#include "CQuoteFetchJob.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/QuoteQuery.h"
#include "download/QuoteSources.h"
#include <cstdio>
#include <ctime>

const char* FetchResultName(EFetchResult result) {
    switch (result) {
    case EFetchResult::Done:
        return "done";
    case EFetchResult::NothingNew:
        return "nothing-new";
    case EFetchResult::NoAnswer:
        return "no-answer";
    case EFetchResult::NotQuotes:
        return "not-a-quote-list";
    case EFetchResult::CannotWrite:
        return "write-failed";
    }
    return "";
}

CFetchRun::CFetchRun(CStockSelection& selection, CMThreadedJobQ& queue, CFetchRunView& view)
    : m_selection(selection), m_queue(queue), m_view(view),
      m_clock([] { return static_cast<int64_t>(std::time(nullptr)); }) {
    m_selection.AddChangeListener([this] { SelectionChanged(); });
}

std::string CFetchRun::Text(unsigned id) {
    return CLanguage::TranslateString(id).value_or("");
}

void CFetchRun::SelectionChanged() {
    m_index = 0;
}

void CFetchRun::Start() {
    // The running job's result decides what comes next.
    if (m_running || m_jobPending) return;
    if (m_selection.Empty()) {
        m_view.ShowMessage(Text(504));
        return;
    }
    m_stop = false;
    if (m_index >= Count()) m_index = 0;
    m_running = true;
    m_view.EnableRunButtons(false);
    m_view.SetProgressRange(0, static_cast<int>(Count()));
    m_view.SetProgressPosition(static_cast<int>(m_index));
    QueueNext();
}

void CFetchRun::Stop() {
    m_stop = true;
}

void CFetchRun::EndRun(EFetchRunEnd end) {
    m_running = false;
    m_view.EnableRunButtons(true);
    m_view.RunEnded(end);
}

void CFetchRun::QueueNext() {
    if (m_index >= Count()) {
        m_index = 0;
        m_view.AddLogLine(Text(507));
        return EndRun(EFetchRunEnd::Finished);
    }
    if (m_stop) {
        m_view.AddLogLine(Text(509));
        return EndRun(EFetchRunEnd::Stopped);
    }
    m_current = m_selection.Stocks()[m_index];
    auto* job = new CQuoteFetchJob;
    job->SetTicker(m_current.symbol);
    job->SetMarket(m_current.market);
    job->SetDataFolder(m_settings.dataFolder);
    job->SetStartDate(RenewalQueryStartDate());
    job->SetRequestTime(m_clock());
    job->SetNotifyWindow(m_window);
    job->SetProxy(m_settings.proxy);
    job->SetQuoteServer(m_settings.quoteServer);
    if (m_settings.sources) job->SetSource(MakeQuoteSource(*m_settings.sources, m_current.market));
    job->SetStatusText(m_settings.status);
    job->SetTimeOut(m_settings.timeOutMs);
    m_jobPending = true;
    ++m_index;
    m_view.RecordStarted(m_current);
    m_queue.addJob(job);
}

void CFetchRun::ShowFailureStatus() {
    char status[64];
    std::snprintf(status, sizeof status, "%d(%d) ", static_cast<int>(m_index),
                  static_cast<int>(Count()));
    m_view.SetStatusText(status + Text(508));
}

long CFetchRun::HandleMessage(const SWindowMessage& message) {
    if (message.message != WM_FETCH_DONE && message.message != WM_FETCH_FAILED) return 0;
    // Only the job this run queued may move it on.
    if (!m_jobPending) return 0;
    m_jobPending = false;
    const std::string logged = m_current.symbol + " (" + m_current.market + ") ";
    if (message.message == WM_FETCH_DONE) {
        m_view.SetProgressPosition(static_cast<int>(m_index));
        m_view.RecordEnded(m_current,
                           message.lParam > 0 ? EFetchResult::Done : EFetchResult::NothingNew,
                           static_cast<long>(message.lParam));
        QueueNext();
        return 1;
    }
    if (message.wParam == kFetchNoAnswer) {
        m_view.AddLogLine(Text(505));
        if (m_index > 0) --m_index;
        ShowFailureStatus();
        m_view.SetProgressPosition(static_cast<int>(m_index));
        m_view.RecordEnded(m_current, EFetchResult::NoAnswer, 0);
        EndRun(EFetchRunEnd::ConnectionFailed);
        return 1;
    }
    // Any other code is a record that could not be written: logged, and the run goes on.
    const bool notQuotes = message.wParam == kFetchNotQuotes;
    m_view.AddLogLine(logged + Text(notQuotes ? 506 : 510));
    ShowFailureStatus();
    m_view.SetProgressPosition(static_cast<int>(m_index));
    m_view.RecordEnded(m_current, notQuotes ? EFetchResult::NotQuotes : EFetchResult::CannotWrite,
                       0);
    QueueNext();
    return 1;
}
