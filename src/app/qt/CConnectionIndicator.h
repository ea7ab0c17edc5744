#pragma once
#include "app/CConnectionCheck.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

class CModelContext;

// The frame's network check. The settings are read once, when it is made: [ENVIORMENT]
// "ConnectCheckOn" and the page of [DOWNLOAD] "ConnectCheck". While the check is on, a timer
// ticks every `tick` (the first tick at once) and, when the schedule says so, a connection
// check job goes to the indicator's own queue; its answer comes back on the user-interface
// loop and `show` is given "Online" or "Offline". When the check is off there is no timer
// and `show` is never called.
//
// Destruction detaches the window the jobs report to, so an answer that comes later is
// dropped, then cancels the running check and joins the queue's threads.
class CConnectionIndicator : public QObject {
public:
    using Show = std::function<void(const std::string&)>;

    CConnectionIndicator(
        CModelContext& context, CUiThreadLoop& loop, Show show, QObject* parent = nullptr,
        std::chrono::milliseconds tick = std::chrono::seconds(CConnectionCheck::kTickSeconds));
    ~CConnectionIndicator() override;
    CConnectionIndicator(const CConnectionIndicator&) = delete;
    CConnectionIndicator& operator=(const CConnectionIndicator&) = delete;

    bool IsActive() const { return m_check.IsActive(); }

private:
    void OnTick();
    void StartCheck();
    long OnMessage(const SWindowMessage& message);

    CModelContext& m_context;
    Show m_show;
    CConnectionCheck m_check;
    std::shared_ptr<CLoopMessageTarget> m_window;
    std::unique_ptr<CMThreadedJobQ> m_queue;
    QTimer m_timer;
};
