#pragma once
#include "ThreadAnnotations.h"
#include <mutex>

// std::mutex and std::recursive_mutex as capabilities that -Wthread-safety knows: members
// marked ZS_GUARDED_BY one of these are checked, libstdc++'s mutexes carry no attributes.
template <class NativeMutexType> class ZS_CAPABILITY("mutex") BasicMutex {
public:
    using Native = NativeMutexType;

    constexpr BasicMutex() = default;
    BasicMutex(const BasicMutex&) = delete;
    BasicMutex& operator=(const BasicMutex&) = delete;

    void Lock() ZS_ACQUIRE() { m_mutex.lock(); }
    void Unlock() ZS_RELEASE() { m_mutex.unlock(); }
    bool TryLock() ZS_TRY_ACQUIRE(true) { return m_mutex.try_lock(); }

private:
    // MutexLock keeps the std::unique_lock a condition variable waits with; nothing else
    // reaches the std mutex past the analysis.
    template <class> friend class BasicMutexLock;
    Native& NativeMutex() { return m_mutex; }

    Native m_mutex;
};

using Mutex = BasicMutex<std::mutex>;
// Taken again by the thread that holds it, as std::recursive_mutex. The analysis keeps no
// count: a function that takes it twice in its own body is reported, a call that takes it
// again from inside a locked scope is allowed (unless the callee says ZS_EXCLUDES).
using RecursiveMutex = BasicMutex<std::recursive_mutex>;

// Holds a Mutex or a RecursiveMutex for its scope, like std::unique_lock (and through one):
// Unlock and Lock give the mutex up for a stretch of the scope, Native is what a
// std::condition_variable (std::condition_variable_any for a RecursiveMutex) waits with. A
// wait releases and retakes the mutex inside the call, so the scope holds it before and after;
// its predicate, which reads guarded members, is marked ZS_REQUIRES(the mutex).
template <class M> class ZS_SCOPED_CAPABILITY BasicMutexLock {
public:
    explicit BasicMutexLock(M& mutex) ZS_ACQUIRE(mutex) : m_lock(mutex.NativeMutex()) {}
    ~BasicMutexLock() ZS_RELEASE() = default;
    BasicMutexLock(const BasicMutexLock&) = delete;
    BasicMutexLock& operator=(const BasicMutexLock&) = delete;

    void Unlock() ZS_RELEASE() { m_lock.unlock(); }
    void Lock() ZS_ACQUIRE() { m_lock.lock(); }

    // Only for condition-variable waits: the analysis does not see what is done through it.
    std::unique_lock<typename M::Native>& Native() { return m_lock; }

private:
    std::unique_lock<typename M::Native> m_lock;
};

using MutexLock = BasicMutexLock<Mutex>;
using RecursiveMutexLock = BasicMutexLock<RecursiveMutex>;
