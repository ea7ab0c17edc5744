#pragma once
#include "ctlkit/jobs/CUiThreadLoop.h"
#include <QObject>
#include <memory>

// Carries out the tasks of a CUiThreadLoop on Qt's GUI thread: each post wakes the event
// loop, which runs the pending tasks in the order they were posted. So message targets and
// sinks over the loop reach Qt windows with nothing else to do. Made on the GUI thread
// before any worker posts; while it lives the loop is not run by hand.
class QtLoopBridge : public QObject {
public:
    explicit QtLoopBridge(CUiThreadLoop& loop);
    ~QtLoopBridge() override;
    QtLoopBridge(const QtLoopBridge&) = delete;
    QtLoopBridge& operator=(const QtLoopBridge&) = delete;

protected:
    bool event(QEvent* event) override;

private:
    struct Waker;

    CUiThreadLoop& m_loop;
    std::shared_ptr<Waker> m_waker;
};
