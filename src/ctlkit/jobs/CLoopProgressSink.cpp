#include "CLoopProgressSink.h"

CLoopProgressSink::CLoopProgressSink(std::shared_ptr<CLoopMessageTarget> window,
                                     std::shared_ptr<CDownloadProgressSink> dialog)
    : m_dialog(std::move(window), std::move(dialog)) {}

void CLoopProgressSink::SetTitle(const std::string& title) {
    m_dialog.Change([title](CDownloadProgressSink& dialog) { dialog.SetTitle(title); });
}

void CLoopProgressSink::SetStatusText(const std::string& text) {
    m_dialog.Change([text](CDownloadProgressSink& dialog) { dialog.SetStatusText(text); });
}

bool CLoopProgressSink::IsCancelled() {
    return m_dialog.Ask<bool>([](CDownloadProgressSink& dialog) { return dialog.IsCancelled(); },
                              true);
}

void CLoopProgressSink::Close() {
    m_dialog.Change([](CDownloadProgressSink& dialog) { dialog.Close(); });
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
