#pragma once
#include "CStatusTextSink.h"
#include <atomic>
#include <functional>
#include <memory>
#include <string>

// The progress dialog of one download (dialog 5004: status text 5000 "Downing Speed",
// button 5001 "Cancel", animation frame 5002). The Qt dialog is non-modal on the GUI thread;
// the job talks to it through this interface from its pool thread. "Cancel" hides the dialog
// and sets the cancelled flag; a transfer that watches CancelFlag aborts at once, so a hung
// download does not hold its pool thread until the time-out.
class CDownloadProgressSink : public CStatusTextSink {
public:
    virtual void SetTitle(const std::string& title) = 0;
    // m_bCancelled: the user pressed "Cancel".
    virtual bool IsCancelled() = 0;
    // The posted close request; more than one is harmless.
    virtual void Close() = 0;
    // Set once the user cancelled; read from any thread without asking the dialog's thread.
    // Null when the dialog has no such flag (only IsCancelled tells).
    virtual std::shared_ptr<const std::atomic<bool>> CancelFlag() const { return nullptr; }
};

// Opens the progress dialog of the job with this id and returns once the dialog exists;
// null when no dialog can be shown (the job then runs without one).
using DownloadProgressFactory = std::function<std::shared_ptr<CDownloadProgressSink>(long jobId)>;
