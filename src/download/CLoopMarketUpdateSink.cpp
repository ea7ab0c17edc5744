#include "CLoopMarketUpdateSink.h"

CLoopMarketUpdateSink::CLoopMarketUpdateSink(std::shared_ptr<CLoopMessageTarget> window,
                                             std::shared_ptr<CMarketUpdateSink> dialog)
    : m_window(std::move(window)), m_dialog(std::move(dialog)) {}

CLoopMarketUpdateSink::~CLoopMarketUpdateSink() {
    m_window->ReleaseOnLoop(std::move(m_dialog));
}

// The task holds the dialog itself: the sink may be gone before a task that outlived a
// detach ends.
void CLoopMarketUpdateSink::Change(std::function<void(CMarketUpdateSink&)> change) {
    m_window->Call<bool>(
        [dialog = m_dialog, change = std::move(change)] {
            change(*dialog);
            return true;
        },
        false);
}

void CLoopMarketUpdateSink::SetStatusText(const std::string& text) {
    Change([text](CMarketUpdateSink& dialog) { dialog.SetStatusText(text); });
}

bool CLoopMarketUpdateSink::IsVisible() {
    return m_window->Call<bool>([dialog = m_dialog] { return dialog->IsVisible(); }, false);
}

void CLoopMarketUpdateSink::SetProgressRange(int steps) {
    Change([steps](CMarketUpdateSink& dialog) { dialog.SetProgressRange(steps); });
}

void CLoopMarketUpdateSink::SetProgress(int position) {
    Change([position](CMarketUpdateSink& dialog) { dialog.SetProgress(position); });
}

void CLoopMarketUpdateSink::AppendLog(const std::string& text) {
    Change([text](CMarketUpdateSink& dialog) { dialog.AppendLog(text); });
}

void CLoopMarketUpdateSink::Close() {
    Change([](CMarketUpdateSink& dialog) { dialog.Close(); });
}
