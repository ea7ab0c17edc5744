#pragma once
#include "CFetchRunView.h"
#include "CStockSelection.h"
#include "ctlkit/jobs/CMessageTarget.h"
#include "ctlkit/jobs/CStatusTextSink.h"
#include "download/SProxyValues.h"
#include "settings/QuoteSourceSettings.h"
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CMThreadedJobQ;

// The download run over the selection: the index of the next record, the number of
// records and the stop flag, and the rules that move them. One job runs at a time: only the
// result of the running job queues the next record, and Start does nothing until that
// result came. Everything here runs on the user-interface loop; the jobs report through the
// target given to SetNotifyWindow, whose handler passes the messages to HandleMessage.
//
// Start with an empty selection shows 504. Otherwise it clears the stop flag, disables the
// run buttons, sets the progress range to 0 ... count and queues the record at the index
// (a stopped or failed run resumes there). After each result: the index at the end ends
// the run with 507 and the index back at 0; the stop flag set ends it with 509; otherwise
// the next record is queued. A connection failure (505) ends the run with the index back on
// the failed record; a wrong answer (506) or an unwritable file (510) is logged as
// "<symbol> (<market>) <text>" and the run goes on. After a failure the status shows
// "<index>(<count>) Finished."; after every result the progress bar shows the index. A
// change of the selection puts the index back to 0.
class CFetchRun {
public:
    // What every job of the run is given.
    struct SJobSettings {
        std::string dataFolder = "Data/";
        std::string quoteServer;
        // The source of every record, built for its market; none: the yahoo form at
        // quoteServer.
        std::optional<SQuoteSourceSettings> sources;
        SProxyValues proxy;
        uint32_t timeOutMs = 0;
        std::shared_ptr<CStatusTextSink> status; // control 1014
    };

    // The selection, queue and view outlive the run.
    CFetchRun(CStockSelection& selection, CMThreadedJobQ& queue, CFetchRunView& view);

    void SetNotifyWindow(std::shared_ptr<CMessageTarget> window) { m_window = std::move(window); }
    void SetJobSettings(SJobSettings settings) { m_settings = std::move(settings); }
    // The current time for each job's request; the system clock unless set.
    void SetClock(std::function<int64_t()> clock) { m_clock = std::move(clock); }

    void Start();
    // Sets the stop flag: no further record is queued; the running job still finishes.
    void Stop();
    // WM_FETCH_DONE and WM_FETCH_FAILED of the running job; other messages answer 0.
    long HandleMessage(const SWindowMessage& message);

    size_t Index() const { return m_index; }
    size_t Count() const { return m_selection.Count(); }
    bool StopRequested() const { return m_stop; }
    // A run is going on (Start was pressed and it has not ended).
    bool Running() const { return m_running; }
    // A job was queued and has not reported yet.
    bool JobPending() const { return m_jobPending; }

private:
    void QueueNext();
    void EndRun(EFetchRunEnd end);
    void ShowFailureStatus();
    void SelectionChanged();
    static std::string Text(unsigned id);

    CStockSelection& m_selection;
    CMThreadedJobQ& m_queue;
    CFetchRunView& m_view;
    std::shared_ptr<CMessageTarget> m_window;
    SJobSettings m_settings;
    std::function<int64_t()> m_clock;
    size_t m_index = 0;
    bool m_stop = false;
    bool m_running = false;
    bool m_jobPending = false;
    SSelectedStock m_current;
};
