#pragma once
#include "CMessageTarget.h"
#include "CUiThreadLoop.h"
#include "ctlkit/base/Mutex.h"
#include <condition_variable>
#include <functional>
#include <memory>
#include <optional>

// A window of a CUiThreadLoop: messages are handled by `handler` on the loop's thread. Held
// through std::shared_ptr (Create), by its window and by every job that reports to it.
//
// Detach (on the loop's thread, when the window closes) drops every later message and every
// message still queued, and releases senders that wait: they get 0. A window must detach
// before the queues of its jobs are destroyed on the same thread, or a job waiting for it
// could never finish.
class CLoopMessageTarget : public CMessageTarget {
public:
    using Handler = std::function<long(const SWindowMessage&)>;

    // Use Create.
    CLoopMessageTarget(CUiThreadLoop& loop, Handler handler);
    static std::shared_ptr<CLoopMessageTarget> Create(CUiThreadLoop& loop, Handler handler);

    long SendMessage(const SWindowMessage& message) override;
    bool PostMessage(const SWindowMessage& message) override;
    void ShowMessage(const std::string& text) override;

    void Detach() ZS_EXCLUDES(m_mutex);
    bool Detached() ZS_EXCLUDES(m_mutex);

    // Carries out `work` on the window's thread and gives its answer: directly when called
    // there, else after waiting for the loop. Once the window detached (also while a caller
    // waits) `work` never runs and the answer is `fallback`, at once.
    template <class Result> Result Call(std::function<Result()> work, Result fallback);
    // Lets go of `object` on the window's thread, detached or not: a window's objects are
    // destroyed where they live.
    void ReleaseOnLoop(std::shared_ptr<void> object);

protected:
    // For subclasses' own Create: the target must know its shared owner.
    void BindSelf(const std::shared_ptr<CLoopMessageTarget>& self) { m_self = self; }

private:
    // Its fields are guarded by the target's m_mutex, which an annotation here cannot name.
    struct Pending {
        bool done = false;
    };
    // On the loop's thread: the handler's answer, or 0 once detached.
    long Deliver(const SWindowMessage& message) ZS_EXCLUDES(m_mutex);
    // Posts `work` and waits until it ran (true) or the target was detached (false).
    bool RunOnLoop(std::function<void()> work, bool evenWhenDetached) ZS_EXCLUDES(m_mutex);
    std::shared_ptr<CLoopMessageTarget> Self();

    CUiThreadLoop& m_loop;
    Handler m_handler;
    std::weak_ptr<CLoopMessageTarget> m_self;
    Mutex m_mutex;
    std::condition_variable m_changed;
    bool m_detached ZS_GUARDED_BY(m_mutex) = false;
};

template <class Result>
Result CLoopMessageTarget::Call(std::function<Result()> work, Result fallback) {
    if (m_loop.OnLoopThread()) return Detached() ? fallback : work();
    if (Detached()) return fallback;
    // Written on the loop's thread before the waiter learns that the work is done.
    auto answer = std::make_shared<std::optional<Result>>();
    if (!RunOnLoop([work = std::move(work), answer] { *answer = work(); }, false)) return fallback;
    return std::move(**answer);
}
