#pragma once
#include "ctlkit/base/Mutex.h"
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <optional>
#include <thread>

// The message loop of a user-interface thread: other threads post tasks, the thread that
// runs the loop carries them out in order. The command-line tool runs it on its main thread,
// tests on a thread of their own; the Qt program wakes its event loop through the wake hook,
// which then carries out the pending tasks on the GUI thread.
class CUiThreadLoop {
public:
    CUiThreadLoop();
    CUiThreadLoop(const CUiThreadLoop&) = delete;
    CUiThreadLoop& operator=(const CUiThreadLoop&) = delete;

    // Any thread. The wake hook, when set, is called after the task was queued.
    void Post(std::function<void()> task) ZS_EXCLUDES(m_mutex);
    // Called (on the posting thread) after each Post: the Qt program schedules RunPending on
    // its GUI thread with it. Set before any other thread posts; null removes it.
    void SetWakeHook(std::function<void()> hook) ZS_EXCLUDES(m_mutex);
    // True on the thread that runs (or last ran) the loop; before any run, the constructing
    // thread.
    bool OnLoopThread() const { return m_thread.load() == std::this_thread::get_id(); }

    // Carries out tasks until Quit.
    void Run() ZS_EXCLUDES(m_mutex);
    void Quit() ZS_EXCLUDES(m_mutex);
    // Carries out tasks until `done` gives true (checked before each wait) or the time-out
    // passes; true when done.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
        ZS_EXCLUDES(m_mutex);
    // Carries out the tasks already queued.
    void RunPending() ZS_EXCLUDES(m_mutex);

private:
    // The oldest task, taken off the queue; none when the queue is empty. The caller runs it
    // with the mutex given up (in its own scope, where the analysis sees the unlock).
    std::optional<std::function<void()>> TakeTask() ZS_REQUIRES(m_mutex);

    std::atomic<std::thread::id> m_thread;
    Mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks ZS_GUARDED_BY(m_mutex);
    bool m_quit ZS_GUARDED_BY(m_mutex) = false;
    std::function<void()> m_wakeHook ZS_GUARDED_BY(m_mutex);
};
