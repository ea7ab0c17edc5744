#include "CUiThreadLoop.h"

CUiThreadLoop::CUiThreadLoop() : m_thread(std::this_thread::get_id()) {}

void CUiThreadLoop::Post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_all();
}

bool CUiThreadLoop::RunOne(std::unique_lock<std::mutex>& lock) {
    if (m_tasks.empty()) return false;
    auto task = std::move(m_tasks.front());
    m_tasks.pop_front();
    lock.unlock();
    task();
    lock.lock();
    return true;
}

void CUiThreadLoop::Run() {
    m_thread = std::this_thread::get_id();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_quit = false;
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || !m_tasks.empty(); });
        if (m_quit) return;
        RunOne(lock);
    }
}

void CUiThreadLoop::Quit() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
}

bool CUiThreadLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    m_thread = std::this_thread::get_id();
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        while (RunOne(lock)) {
        }
        lock.unlock();
        bool finished = done();
        lock.lock();
        if (finished) return true;
        // Whatever ends the wait is rechecked on the next round; `done` may be set by a
        // worker without a task, so the wait is bounded.
        if (m_wake.wait_until(lock,
                              std::min(deadline, std::chrono::steady_clock::now() +
                                                     std::chrono::milliseconds(10)),
                              [this] { return !m_tasks.empty(); }))
            continue;
        if (std::chrono::steady_clock::now() >= deadline) {
            while (RunOne(lock)) {
            }
            lock.unlock();
            return done();
        }
    }
}

void CUiThreadLoop::RunPending() {
    m_thread = std::this_thread::get_id();
    std::unique_lock<std::mutex> lock(m_mutex);
    while (RunOne(lock)) {
    }
}
