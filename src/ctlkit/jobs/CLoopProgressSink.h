#pragma once
#include "CDownloadProgressSink.h"
#include "CLoopDialog.h"
#include "CLoopMessageTarget.h"
#include <memory>

// A window's progress dialog as a job sees it from its pool thread: each call is carried out
// on the window's thread, where the dialog lives. Once the window detached (it is closing),
// every call answers at once and nothing waits: no text is shown and the download counts as
// cancelled, so a window that joins its queue while closing never waits for a job that waits
// for it.
class CLoopProgressSink : public CDownloadProgressSink {
public:
    CLoopProgressSink(std::shared_ptr<CLoopMessageTarget> window,
                      std::shared_ptr<CDownloadProgressSink> dialog);

    void SetTitle(const std::string& title) override;
    void SetStatusText(const std::string& text) override;
    bool IsCancelled() override;
    void Close() override;

    // The factory a job calls: `openDialog` runs on the window's thread and each dialog it
    // gives is wrapped; null at once once the window detached.
    static DownloadProgressFactory Factory(std::shared_ptr<CLoopMessageTarget> window,
                                           DownloadProgressFactory openDialog);

private:
    CLoopDialog<CDownloadProgressSink> m_dialog;
};
