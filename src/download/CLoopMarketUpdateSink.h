#pragma once
#include "CMarketUpdateSink.h"
#include "ctlkit/jobs/CLoopDialog.h"
#include <memory>

// The "Update List" dialog reached through its window's thread: a job's calls wait until the
// dialog handled them there. Once the window detached (it is closing) every call answers at
// once: the dialog counts as hidden, so the jobs end without writing, and nothing waits.
class CLoopMarketUpdateSink : public CMarketUpdateSink {
public:
    CLoopMarketUpdateSink(std::shared_ptr<CLoopMessageTarget> window,
                          std::shared_ptr<CMarketUpdateSink> dialog);

    void SetStatusText(const std::string& text) override;
    bool IsVisible() override;
    void SetProgressRange(int steps) override;
    void SetProgress(int position) override;
    void AppendLog(const std::string& text) override;
    void Close() override;

private:
    CLoopDialog<CMarketUpdateSink> m_dialog;
};
