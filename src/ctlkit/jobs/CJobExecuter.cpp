#include "CJobExecuter.h"
#include "CJob.h"
#include "CMThreadedJobQ.h"

CJobExecuter::CJobExecuter(CMThreadedJobQ* queue) : m_queue(queue), m_thread([this] { Run(); }) {}

CJobExecuter::~CJobExecuter() {
    stop(false);
    join();
}

void CJobExecuter::execute(CJob* job) {
    {
        MutexLock lock(m_mutex);
        m_job = job;
    }
    m_wake.notify_one();
}

void CJobExecuter::stop(bool cancelJob) {
    {
        MutexLock lock(m_mutex);
        m_runState = kStopRequested;
        // m_job is cleared under this mutex before the job is deleted, so it is alive here.
        if (cancelJob && m_job) m_job->requestCancel();
    }
    m_wake.notify_one();
}

void CJobExecuter::join() {
    if (m_thread.joinable() && !onOwnThread()) m_thread.join();
}

bool CJobExecuter::isIdle() {
    MutexLock lock(m_mutex);
    return m_job == nullptr;
}

CJob* CJobExecuter::WaitForJob() {
    MutexLock lock(m_mutex);
    m_wake.wait(lock.Native(), [this]() ZS_REQUIRES(m_mutex) {
        return m_job != nullptr || m_runState == kStopRequested;
    });
    return m_job;
}

bool CJobExecuter::StopRequested() {
    MutexLock lock(m_mutex);
    return m_runState == kStopRequested;
}

void CJobExecuter::RunJob(CJob* job) {
    job->execute();
    {
        MutexLock lock(m_mutex);
        m_job = nullptr;
    }
    bool autoDelete = job->AutoDelete() != 0;
    job->setFinished(); // an owner without auto-delete may free it from here on
    if (autoDelete) delete job;
}

void CJobExecuter::Run() {
    {
        MutexLock lock(m_mutex);
        if (m_runState != kStopRequested) m_runState = kRunning;
    }
    // Waiting for the first job, not only between jobs: a new executer that joined the free
    // list before the observer handed it the job it was created for would be handed a second
    // job over the first.
    for (;;) {
        // A job handed out is always run, even after a stop request: it then carries the
        // cancel request and ends at once, so it still gives its one result.
        if (CJob* job = WaitForJob()) RunJob(job);
        if (StopRequested() || !m_queue) break;
        if (m_queue->RetireOrFree(this)) {
            // The queue has listed this executer as retired; its observer joins and deletes it.
            MutexLock lock(m_mutex);
            m_runState = kStopRequested;
            break;
        }
    }
}
