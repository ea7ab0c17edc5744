#pragma once
#include "ctlkit/base/Mutex.h"
#include <chrono>
#include <condition_variable>

// How a job ended. Every job of this system ends with exactly one result.
enum class EJobResult { Pending, Done, Failed, Cancelled };

// The result of one job, shared between the job and whoever waits for it (the command-line
// tool, tests). The first result set is kept; later ones are ignored.
class CJobResult {
public:
    // True when this was the first result.
    bool Set(EJobResult result) ZS_EXCLUDES(m_mutex) {
        {
            MutexLock lock(m_mutex);
            if (m_result != EJobResult::Pending) return false;
            m_result = result;
        }
        m_changed.notify_all();
        return true;
    }
    EJobResult Get() ZS_EXCLUDES(m_mutex) {
        MutexLock lock(m_mutex);
        return m_result;
    }
    bool Ended() ZS_EXCLUDES(m_mutex) { return Get() != EJobResult::Pending; }
    // The result once set, or Pending when the time-out passed.
    EJobResult WaitFor(std::chrono::milliseconds timeout) ZS_EXCLUDES(m_mutex) {
        MutexLock lock(m_mutex);
        m_changed.wait_for(lock.Native(), timeout, [this]() ZS_REQUIRES(m_mutex) {
            return m_result != EJobResult::Pending;
        });
        return m_result;
    }

private:
    Mutex m_mutex;
    std::condition_variable m_changed;
    EJobResult m_result ZS_GUARDED_BY(m_mutex) = EJobResult::Pending;
};
