#pragma once
#include "ctlkit/base/Mutex.h"
#include <condition_variable>
#include <thread>

class CJob;
class CMThreadedJobQ;

// One pool thread of a CMThreadedJobQ. It starts its thread at construction, runs the jobs it
// is given one after another and, between jobs, puts itself on the queue's free list. It
// retires when the queue's maximum has been lowered below the executer count.
class CJobExecuter {
public:
    // `queue` may be null: the executer then runs at most the job it is given and ends.
    explicit CJobExecuter(CMThreadedJobQ* queue);
    // Stops and joins the thread; must not run on the executer's own thread.
    ~CJobExecuter();
    CJobExecuter(const CJobExecuter&) = delete;
    CJobExecuter& operator=(const CJobExecuter&) = delete;

    // Hands the executer its next job and wakes it.
    void execute(CJob* job) ZS_EXCLUDES(m_mutex);
    // Asks the thread to end after its current job; the running job gets a cancel request
    // when `cancelJob` is set.
    void stop(bool cancelJob) ZS_EXCLUDES(m_mutex);
    // Waits for the thread to end.
    void join();

    bool isIdle() ZS_EXCLUDES(m_mutex);
    bool onOwnThread() const { return std::this_thread::get_id() == m_thread.get_id(); }

    static constexpr int kRunning = 1;
    static constexpr int kStopRequested = -1;

private:
    void Run() ZS_EXCLUDES(m_mutex);
    // Waits until a job is given or a stop is requested; the job given, or null.
    CJob* WaitForJob() ZS_EXCLUDES(m_mutex);
    bool StopRequested() ZS_EXCLUDES(m_mutex);
    // Runs the job, clears it and deletes it when it deletes itself.
    void RunJob(CJob* job) ZS_EXCLUDES(m_mutex);

    CMThreadedJobQ* const m_queue;
    Mutex m_mutex;
    std::condition_variable m_wake;
    CJob* m_job ZS_GUARDED_BY(m_mutex) = nullptr;
    int m_runState ZS_GUARDED_BY(m_mutex) = 0;
    std::thread m_thread; // started last, once the members above exist
};
