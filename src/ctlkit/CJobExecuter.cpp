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
        std::lock_guard<std::mutex> lock(m_mutex);
        m_job = job;
    }
    m_wake.notify_one();
}

void CJobExecuter::stop(bool cancelJob) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
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
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_job == nullptr;
}

bool CJobExecuter::WaitForJob() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [this] { return m_job != nullptr || m_runState == kStopRequested; });
    return m_runState != kStopRequested;
}

void CJobExecuter::Run() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_runState != kStopRequested) m_runState = kRunning;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    bool retiring = false;
    for (;;) {
        CJob* job;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            job = m_job;
        }
        // A job handed out is always run, even after a stop request: it then carries the
        // cancel request and ends at once, so it still gives its one result.
        if (job) {
            job->execute();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_job = nullptr;
            }
            bool autoDelete = job->AutoDelete() != 0;
            job->setFinished(); // an owner without auto-delete may free it from here on
            if (autoDelete) delete job;
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_runState == kStopRequested) break;
        }
        if (!m_queue) break;
        if (m_queue->RetireOrFree(this)) {
            retiring = true;
            break;
        }
        WaitForJob();
    }
    if (retiring) {
        // The queue has listed this executer as retired; its observer joins and deletes it.
        std::lock_guard<std::mutex> lock(m_mutex);
        m_runState = kStopRequested;
    }
}
