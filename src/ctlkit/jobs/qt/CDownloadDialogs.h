#pragma once
#include "ctlkit/jobs/CDownloadProgressSink.h"
#include <memory>
#include <string>

// The progress dialogs of one chart window. Factory gives what the window's downloads call
// (CDocumentDownloads::SetWindowProgress): on the GUI thread it opens a CFormsetDownloading,
// shows it and returns its sink. Closing the chart destroys this object, which closes every
// dialog still open and cancels its download; a job that still holds the sink of a closed
// dialog reaches nothing and counts as cancelled. GUI thread only.
class CDownloadDialogs {
public:
    explicit CDownloadDialogs(std::string programFolder);
    ~CDownloadDialogs();
    CDownloadDialogs(const CDownloadDialogs&) = delete;
    CDownloadDialogs& operator=(const CDownloadDialogs&) = delete;

    // Null answers once this object is gone.
    DownloadProgressFactory Factory();
    // Dialogs open and visible now.
    int OpenCount() const;
    // Cancels and deletes every dialog, shown or hidden, that still exists.
    void CloseAll();

private:
    struct SState;
    std::shared_ptr<SState> m_state;
};
