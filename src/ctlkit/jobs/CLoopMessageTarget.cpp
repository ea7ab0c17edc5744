#include "CLoopMessageTarget.h"
#include "ctlkit/base/CPrompter.h"

CLoopMessageTarget::CLoopMessageTarget(CUiThreadLoop& loop, Handler handler)
    : m_loop(loop), m_handler(std::move(handler)) {}

std::shared_ptr<CLoopMessageTarget> CLoopMessageTarget::Create(CUiThreadLoop& loop,
                                                               Handler handler) {
    auto target = std::make_shared<CLoopMessageTarget>(loop, std::move(handler));
    target->BindSelf(target);
    return target;
}

std::shared_ptr<CLoopMessageTarget> CLoopMessageTarget::Self() {
    return m_self.lock();
}

long CLoopMessageTarget::Deliver(const SWindowMessage& message) {
    if (Detached() || !m_handler) return 0;
    return m_handler(message);
}

long CLoopMessageTarget::RunOnLoop(std::function<long()> work, bool evenWhenDetached) {
    auto pending = std::make_shared<Pending>();
    auto self = Self();
    m_loop.Post([self, pending, work = std::move(work), evenWhenDetached] {
        long result = 0;
        if (evenWhenDetached || !self->Detached()) result = work();
        {
            MutexLock lock(self->m_mutex);
            pending->done = true;
            pending->result = result;
        }
        self->m_changed.notify_all();
    });
    MutexLock lock(m_mutex);
    m_changed.wait(lock.Native(),
                   [&]() ZS_REQUIRES(m_mutex) { return pending->done || m_detached; });
    return pending->done ? pending->result : 0;
}

long CLoopMessageTarget::SendMessage(const SWindowMessage& message) {
    if (m_loop.OnLoopThread()) return Deliver(message);
    if (Detached()) return 0;
    return RunOnLoop([this, message] { return Deliver(message); }, false);
}

bool CLoopMessageTarget::PostMessage(const SWindowMessage& message) {
    if (Detached()) return false;
    auto self = Self();
    m_loop.Post([self, message] { self->Deliver(message); });
    return true;
}

void CLoopMessageTarget::ShowMessage(const std::string& text) {
    if (m_loop.OnLoopThread()) {
        CPrompter::Active().ShowMessage(text);
        return;
    }
    RunOnLoop(
        [text] {
            CPrompter::Active().ShowMessage(text);
            return 0L;
        },
        true);
}

void CLoopMessageTarget::Detach() {
    {
        MutexLock lock(m_mutex);
        m_detached = true;
    }
    m_changed.notify_all();
}

bool CLoopMessageTarget::Detached() {
    MutexLock lock(m_mutex);
    return m_detached;
}
