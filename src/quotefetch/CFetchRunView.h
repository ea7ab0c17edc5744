#pragma once
#include "SSelectedStock.h"
#include <string>

// How one record of a run ended.
enum class EFetchResult { Done, NothingNew, NoAnswer, NotQuotes, CannotWrite };
// How a run ended: the selection was exhausted (507), Stop (509), or the connection failed
// (505, the index back on the failed record).
enum class EFetchRunEnd { Finished, Stopped, ConnectionFailed };

// The text of a result as the batch mode prints it: "done", "nothing-new", "no-answer",
// "not-a-quote-list", "write-failed".
const char* FetchResultName(EFetchResult result);

// What a download run shows: the downloader's window, or the batch mode's output. Called on
// the thread of the run (the user-interface loop).
class CFetchRunView {
public:
    virtual ~CFetchRunView() = default;
    // A message box ("No stock selected.").
    virtual void ShowMessage(const std::string& text) = 0;
    // A line of the log list.
    virtual void AddLogLine(const std::string& text) = 0;
    // The status text below the log (control 1016).
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPosition(int position) = 0;
    // The two buttons that start a run or change the selection (Start and Select).
    virtual void EnableRunButtons(bool enabled) = 0;
    // The job of a record was queued: the window logs "<symbol> (<market>) is downloading.".
    virtual void RecordStarted(const SSelectedStock& stock) {}
    // After the result of one record was handled.
    virtual void RecordEnded(const SSelectedStock& stock, EFetchResult result, long newDays) {}
    virtual void RunEnded(EFetchRunEnd end) {}
};
