#include "QtLoopBridge.h"
#include "ctlkit/base/Mutex.h"
#include <QCoreApplication>
#include <QEvent>
#include <atomic>

namespace {
const QEvent::Type kRunPending = static_cast<QEvent::Type>(QEvent::registerEventType());
}

// What the loop's wake hook holds: it may be called on a worker after the bridge is gone,
// so the bridge is reached only under the lock and is cleared when it is destroyed.
struct QtLoopBridge::Waker {
    Mutex mutex;
    QObject* bridge ZS_GUARDED_BY(mutex) = nullptr;
    // One wake-up event at a time: a burst of posts is carried out by one RunPending.
    std::atomic<bool> queued{false};

    void Wake() ZS_EXCLUDES(mutex) {
        if (queued.exchange(true)) return;
        MutexLock lock(mutex);
        if (bridge) QCoreApplication::postEvent(bridge, new QEvent(kRunPending));
    }
};

QtLoopBridge::QtLoopBridge(CUiThreadLoop& loop) : m_loop(loop), m_waker(std::make_shared<Waker>()) {
    {
        MutexLock lock(m_waker->mutex);
        m_waker->bridge = this;
    }
    m_loop.SetWakeHook([waker = m_waker] { waker->Wake(); });
    // Makes this the loop's thread and carries out what was posted before.
    m_loop.RunPending();
}

QtLoopBridge::~QtLoopBridge() {
    m_loop.SetWakeHook(nullptr);
    MutexLock lock(m_waker->mutex);
    m_waker->bridge = nullptr;
}

bool QtLoopBridge::event(QEvent* event) {
    if (event->type() != kRunPending) return QObject::event(event);
    // Cleared first: a task posted while the pending ones run wakes the loop again.
    m_waker->queued = false;
    m_loop.RunPending();
    return true;
}
