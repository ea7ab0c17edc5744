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
    // `cancelFlag`: the dialog's own, taken on the window's thread when it was made.
    CLoopProgressSink(std::shared_ptr<CLoopMessageTarget> window,
                      std::shared_ptr<CDownloadProgressSink> dialog,
                      std::shared_ptr<const std::atomic<bool>> cancelFlag = nullptr);

    void SetTitle(const std::string& title) override;
    void SetStatusText(const std::string& text) override;
    bool IsCancelled() override;
    void Close() override;
    std::shared_ptr<const std::atomic<bool>> CancelFlag() const override { return m_cancelFlag; }

    // The factory a job calls: `openDialog` runs on the window's thread and each dialog it
    // gives is wrapped, with its cancel flag; null at once once the window detached.
    static DownloadProgressFactory Factory(std::shared_ptr<CLoopMessageTarget> window,
                                           DownloadProgressFactory openDialog);

private:
    CLoopDialog<CDownloadProgressSink> m_dialog;
    std::shared_ptr<const std::atomic<bool>> m_cancelFlag;
};
