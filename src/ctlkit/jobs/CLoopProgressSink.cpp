#include "CLoopProgressSink.h"

CLoopProgressSink::CLoopProgressSink(std::shared_ptr<CLoopMessageTarget> window,
                                     std::shared_ptr<CDownloadProgressSink> dialog,
                                     std::shared_ptr<const std::atomic<bool>> cancelFlag)
    : m_dialog(std::move(window), std::move(dialog)), m_cancelFlag(std::move(cancelFlag)) {}

void CLoopProgressSink::SetTitle(const std::string& title) {
    m_dialog.Change([title](CDownloadProgressSink& dialog) { dialog.SetTitle(title); });
}

void CLoopProgressSink::SetStatusText(const std::string& text) {
    m_dialog.Change([text](CDownloadProgressSink& dialog) { dialog.SetStatusText(text); });
}

bool CLoopProgressSink::IsCancelled() {
    // A set flag needs no round trip to the dialog's thread.
    if (m_cancelFlag && m_cancelFlag->load()) return true;
    return m_dialog.Ask<bool>([](CDownloadProgressSink& dialog) { return dialog.IsCancelled(); },
                              true);
}

void CLoopProgressSink::Close() {
    m_dialog.Change([](CDownloadProgressSink& dialog) { dialog.Close(); });
}

DownloadProgressFactory CLoopProgressSink::Factory(std::shared_ptr<CLoopMessageTarget> window,
                                                   DownloadProgressFactory openDialog) {
    struct SOpened {
        std::shared_ptr<CDownloadProgressSink> dialog;
        std::shared_ptr<const std::atomic<bool>> cancelFlag;
    };
    return [window, openDialog](long jobId) -> std::shared_ptr<CDownloadProgressSink> {
        SOpened opened = window->Call<SOpened>(
            [openDialog, jobId] {
                SOpened made;
                made.dialog = openDialog(jobId);
                if (made.dialog) made.cancelFlag = made.dialog->CancelFlag();
                return made;
            },
            SOpened{});
        if (!opened.dialog) return nullptr;
        return std::make_shared<CLoopProgressSink>(window, std::move(opened.dialog),
                                                   std::move(opened.cancelFlag));
    };
}
