#include "CLoopProgressSink.h"

CLoopProgressSink::CLoopProgressSink(std::shared_ptr<CLoopMessageTarget> window,
                                     std::shared_ptr<CDownloadProgressSink> dialog)
    : m_window(std::move(window)), m_dialog(std::move(dialog)) {}

// The tasks hold the dialog themselves: a window that detaches while a task runs lets the
// waiting job go on, and the sink may be gone before the task ends.
CLoopProgressSink::~CLoopProgressSink() {
    m_window->ReleaseOnLoop(std::move(m_dialog));
}

void CLoopProgressSink::Change(std::function<void(CDownloadProgressSink&)> change) {
    m_window->Call<bool>(
        [dialog = m_dialog, change = std::move(change)] {
            change(*dialog);
            return true;
        },
        false);
}

void CLoopProgressSink::SetTitle(const std::string& title) {
    Change([title](CDownloadProgressSink& dialog) { dialog.SetTitle(title); });
}

void CLoopProgressSink::SetStatusText(const std::string& text) {
    Change([text](CDownloadProgressSink& dialog) { dialog.SetStatusText(text); });
}

bool CLoopProgressSink::IsCancelled() {
    return m_window->Call<bool>([dialog = m_dialog] { return dialog->IsCancelled(); }, true);
}

void CLoopProgressSink::Close() {
    Change([](CDownloadProgressSink& dialog) { dialog.Close(); });
}

DownloadProgressFactory CLoopProgressSink::Factory(std::shared_ptr<CLoopMessageTarget> window,
                                                   DownloadProgressFactory openDialog) {
    return [window, openDialog](long jobId) -> std::shared_ptr<CDownloadProgressSink> {
        auto dialog = window->Call<std::shared_ptr<CDownloadProgressSink>>(
            [openDialog, jobId] { return openDialog(jobId); }, nullptr);
        if (!dialog) return nullptr;
        return std::make_shared<CLoopProgressSink>(window, std::move(dialog));
    };
}
