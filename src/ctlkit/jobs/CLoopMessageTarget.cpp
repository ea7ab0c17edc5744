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

bool CLoopMessageTarget::RunOnLoop(std::function<void()> work, bool evenWhenDetached) {
    auto pending = std::make_shared<Pending>();
    auto self = Self();
    m_loop.Post([self, pending, work = std::move(work), evenWhenDetached] {
        const bool run = evenWhenDetached || !self->Detached();
        if (run) work();
        {
            MutexLock lock(self->m_mutex);
            pending->done = run;
        }
        self->m_changed.notify_all();
    });
    MutexLock lock(m_mutex);
    m_changed.wait(lock.Native(),
                   [&]() ZS_REQUIRES(m_mutex) { return pending->done || m_detached; });
    return pending->done;
}

long CLoopMessageTarget::SendMessage(const SWindowMessage& message) {
    return Call<long>([this, message] { return Deliver(message); }, 0L);
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
    RunOnLoop([text] { CPrompter::Active().ShowMessage(text); }, true);
}

void CLoopMessageTarget::ReleaseOnLoop(std::shared_ptr<void> object) {
    if (!object || m_loop.OnLoopThread()) return;
    m_loop.Post([object = std::move(object)]() mutable { object.reset(); });
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
