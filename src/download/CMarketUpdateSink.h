#pragma once
#include "ctlkit/jobs/CStatusTextSink.h"
#include <string>

// The "Update List" dialog as the update loop and its jobs see it: a progress bar of two
// steps per chosen market, a log, and status text 1060 for the transfer. IsVisible and
// SetStatusText are called from the job's thread, the rest on the user-interface thread.
class CMarketUpdateSink : public CStatusTextSink {
public:
    // False once the user closed or hid the dialog: jobs then end without writing.
    virtual bool IsVisible() = 0;
    virtual void SetProgressRange(int steps) = 0;
    virtual void SetProgress(int position) = 0;
    virtual void AppendLog(const std::string& text) = 0;
    // A close request when still visible, then the dialog is destroyed.
    virtual void Close() = 0;
};
