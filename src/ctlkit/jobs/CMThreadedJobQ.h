#pragma once
#include "ctlkit/base/Mutex.h"
#include <chrono>
#include <condition_variable>
#include <list>
#include <thread>
#include <vector>

class CJob;
class CJobExecuter;

// A priority queue of jobs served by a pool of worker threads (2 by default, at most 10) and
// one observer thread that hands the waiting jobs to free workers.
//
// Destruction cancels the running jobs (CJob::requestCancel; a transfer given the job's flag
// aborts), waits for them and joins every thread; jobs still waiting are discarded
// (CJob::discard) and deleted. A job that waits for the user-interface thread (a sent
// message) must be released before the queue is destroyed on that thread: detach the job's
// message target first (CLoopMessageTarget::Detach).
class CMThreadedJobQ {
public:
    // The observer pauses this long after each wake-up before handing out jobs, so that jobs
    // queued together are dispatched by priority.
    static constexpr std::chrono::milliseconds kDefaultDispatchPause{100};

    explicit CMThreadedJobQ(std::chrono::milliseconds dispatchPause = kDefaultDispatchPause);
    ~CMThreadedJobQ();
    CMThreadedJobQ(const CMThreadedJobQ&) = delete;
    CMThreadedJobQ& operator=(const CMThreadedJobQ&) = delete;

    // Takes ownership (when the job's auto-delete is set). Before the first waiting job of
    // strictly lower priority; equal priorities keep their order of arrival.
    void addJob(CJob* job);
    void pause();
    void resume();

    int getNoOfExecuter();
    int getMaxNoOfExecuter();
    // Takes values 2..10; others are ignored.
    void setMaxNoOfExecuter(int maximum);
    int getNoOfWaitingJobs();

    // A free executer, a new one while the count is below the maximum, else null.
    CJobExecuter* getJobExecuter();
    void addJobExecuter(CJobExecuter* executer);
    void addFreeJobExecuter(CJobExecuter* executer);
    // Removes the executer from the lists and destroys it. On the executer's own thread (it
    // retires) the thread is joined later by the observer or the destructor.
    void deleteJobExecuter(CJobExecuter* executer);

    // Body of the observer thread.
    static unsigned JobObserverThreadFunction(CMThreadedJobQ* queue);

    static constexpr int kDefaultMaximum = 2;
    static constexpr int kHighestMaximum = 10;

private:
    friend class CJobExecuter;
    // True when the executer must retire (the maximum was lowered below the count): it is then
    // already counted out and listed for the observer to join. Otherwise the executer is pushed
    // onto the free list and the observer is woken.
    bool RetireOrFree(CJobExecuter* executer);
    void WakeObserver();
    // One dispatch pass: hands out jobs while executers are available.
    void DispatchPass();
    void ReapRetired();
    // Waits until woken or stopped; false when stopping.
    bool WaitForWake(std::chrono::milliseconds atMost);
    void PostRefreshList();

    const std::chrono::milliseconds m_dispatchPause;
    // Recursive: the pool's own calls (getJobExecuter, deleteJobExecuter, ...) take it again
    // from inside a locked scope.
    RecursiveMutex m_lock;
    std::condition_variable_any m_observerWake;
    std::list<CJob*> m_jobList ZS_GUARDED_BY(m_lock);
    int m_paused ZS_GUARDED_BY(m_lock) = 0;
    int m_maxNoOfExecuter ZS_GUARDED_BY(m_lock) = kDefaultMaximum;
    // Newest first, as the pool pushes them.
    std::list<CJobExecuter*> m_executerList ZS_GUARDED_BY(m_lock);
    int m_noOfExecuter ZS_GUARDED_BY(m_lock) = 0;
    std::list<CJobExecuter*> m_freeList ZS_GUARDED_BY(m_lock);
    // Executers that removed themselves and wait to be joined.
    std::vector<CJobExecuter*> m_retired ZS_GUARDED_BY(m_lock);
    bool m_wakeRequested ZS_GUARDED_BY(m_lock) = false;
    bool m_stopping ZS_GUARDED_BY(m_lock) = false;
    std::thread m_observer; // started last
};
