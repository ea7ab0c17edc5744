#include "CLoopMarketUpdateSink.h"

CLoopMarketUpdateSink::CLoopMarketUpdateSink(std::shared_ptr<CLoopMessageTarget> window,
                                             std::shared_ptr<CMarketUpdateSink> dialog)
    : m_dialog(std::move(window), std::move(dialog)) {}

void CLoopMarketUpdateSink::SetStatusText(const std::string& text) {
    m_dialog.Change([text](CMarketUpdateSink& dialog) { dialog.SetStatusText(text); });
}

bool CLoopMarketUpdateSink::IsVisible() {
    return m_dialog.Ask<bool>([](CMarketUpdateSink& dialog) { return dialog.IsVisible(); }, false);
}

void CLoopMarketUpdateSink::SetProgressRange(int steps) {
    m_dialog.Change([steps](CMarketUpdateSink& dialog) { dialog.SetProgressRange(steps); });
}

void CLoopMarketUpdateSink::SetProgress(int position) {
    m_dialog.Change([position](CMarketUpdateSink& dialog) { dialog.SetProgress(position); });
}

void CLoopMarketUpdateSink::AppendLog(const std::string& text) {
    m_dialog.Change([text](CMarketUpdateSink& dialog) { dialog.AppendLog(text); });
}

void CLoopMarketUpdateSink::Close() {
    m_dialog.Change([](CMarketUpdateSink& dialog) { dialog.Close(); });
}
