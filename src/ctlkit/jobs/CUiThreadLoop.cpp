#include "CUiThreadLoop.h"

CUiThreadLoop::CUiThreadLoop() : m_thread(std::this_thread::get_id()) {}

void CUiThreadLoop::Post(std::function<void()> task) {
    std::function<void()> hook;
    {
        MutexLock lock(m_mutex);
        m_tasks.push_back(std::move(task));
        hook = m_wakeHook;
    }
    m_wake.notify_all();
    if (hook) hook();
}

void CUiThreadLoop::SetWakeHook(std::function<void()> hook) {
    MutexLock lock(m_mutex);
    m_wakeHook = std::move(hook);
}

std::optional<std::function<void()>> CUiThreadLoop::TakeTask() {
    if (m_tasks.empty()) return std::nullopt;
    auto task = std::move(m_tasks.front());
    m_tasks.pop_front();
    return task;
}

void CUiThreadLoop::Run() {
    m_thread = std::this_thread::get_id();
    MutexLock lock(m_mutex);
    m_quit = false;
    for (;;) {
        m_wake.wait(lock.Native(),
                    [this]() ZS_REQUIRES(m_mutex) { return m_quit || !m_tasks.empty(); });
        if (m_quit) return;
        if (auto task = TakeTask()) {
            lock.Unlock();
            (*task)();
            lock.Lock();
        }
    }
}

void CUiThreadLoop::Quit() {
    {
        MutexLock lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
}

bool CUiThreadLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    m_thread = std::this_thread::get_id();
    auto deadline = std::chrono::steady_clock::now() + timeout;
    MutexLock lock(m_mutex);
    for (;;) {
        while (auto task = TakeTask()) {
            lock.Unlock();
            (*task)();
            lock.Lock();
        }
        lock.Unlock();
        bool finished = done();
        lock.Lock();
        if (finished) return true;
        // Whatever ends the wait is rechecked on the next round; `done` may be set by a
        // worker without a task, so the wait is bounded.
        if (m_wake.wait_until(lock.Native(),
                              std::min(deadline, std::chrono::steady_clock::now() +
                                                     std::chrono::milliseconds(10)),
                              [this]() ZS_REQUIRES(m_mutex) { return !m_tasks.empty(); }))
            continue;
        if (std::chrono::steady_clock::now() >= deadline) {
            while (auto task = TakeTask()) {
                lock.Unlock();
                (*task)();
                lock.Lock();
            }
            lock.Unlock();
            return done();
        }
    }
}

void CUiThreadLoop::RunPending() {
    m_thread = std::this_thread::get_id();
    MutexLock lock(m_mutex);
    while (auto task = TakeTask()) {
        lock.Unlock();
        (*task)();
        lock.Lock();
    }
}
