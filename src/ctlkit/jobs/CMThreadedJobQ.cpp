#include "CMThreadedJobQ.h"
#include "CJob.h"
#include "CJobExecuter.h"
#include "MainWindowTarget.h"
#include <algorithm>

namespace {
using Lock = RecursiveMutexLock;
}

CMThreadedJobQ::CMThreadedJobQ(std::chrono::milliseconds dispatchPause)
    : m_dispatchPause(dispatchPause), m_observer([this] { JobObserverThreadFunction(this); }) {}

CMThreadedJobQ::~CMThreadedJobQ() {
    {
        Lock lock(m_lock);
        m_stopping = true;
    }
    m_observerWake.notify_all();
    m_observer.join();

    std::vector<CJobExecuter*> executers;
    std::list<CJob*> waiting;
    {
        Lock lock(m_lock);
        executers.assign(m_executerList.begin(), m_executerList.end());
        executers.insert(executers.end(), m_retired.begin(), m_retired.end());
        m_executerList.clear();
        m_retired.clear();
        m_freeList.clear();
        m_noOfExecuter = 0;
        waiting.swap(m_jobList);
    }
    for (CJobExecuter* executer : executers) executer->stop(true);
    for (CJobExecuter* executer : executers) delete executer;
    for (CJob* job : waiting) {
        job->discard();
        if (job->AutoDelete()) delete job;
    }
}

void CMThreadedJobQ::addJob(CJob* job) {
    if (!job) return;
    {
        Lock lock(m_lock);
        auto lower = std::find_if(m_jobList.begin(), m_jobList.end(), [job](const CJob* waiting) {
            return waiting->getPriority() < job->getPriority();
        });
        m_jobList.insert(lower, job);
    }
    WakeObserver();
}

void CMThreadedJobQ::pause() {
    Lock lock(m_lock);
    m_paused = 1;
}

void CMThreadedJobQ::resume() {
    {
        Lock lock(m_lock);
        m_paused = 0;
    }
    WakeObserver();
}

int CMThreadedJobQ::getNoOfExecuter() {
    Lock lock(m_lock);
    return m_noOfExecuter;
}

int CMThreadedJobQ::getMaxNoOfExecuter() {
    Lock lock(m_lock);
    return m_maxNoOfExecuter;
}

void CMThreadedJobQ::setMaxNoOfExecuter(int maximum) {
    {
        Lock lock(m_lock);
        if (maximum > 1 && maximum <= kHighestMaximum) m_maxNoOfExecuter = maximum;
    }
    WakeObserver();
}

int CMThreadedJobQ::getNoOfWaitingJobs() {
    Lock lock(m_lock);
    return static_cast<int>(m_jobList.size());
}

CJobExecuter* CMThreadedJobQ::getJobExecuter() {
    Lock lock(m_lock);
    if (!m_freeList.empty()) {
        CJobExecuter* executer = m_freeList.front();
        m_freeList.pop_front();
        return executer;
    }
    if (m_noOfExecuter >= m_maxNoOfExecuter) return nullptr;
    auto* executer = new CJobExecuter(this);
    addJobExecuter(executer);
    ++m_noOfExecuter;
    return executer;
}

void CMThreadedJobQ::addJobExecuter(CJobExecuter* executer) {
    Lock lock(m_lock);
    m_executerList.push_front(executer);
}

void CMThreadedJobQ::addFreeJobExecuter(CJobExecuter* executer) {
    Lock lock(m_lock);
    m_freeList.push_front(executer);
}

void CMThreadedJobQ::deleteJobExecuter(CJobExecuter* executer) {
    {
        Lock lock(m_lock);
        auto found = std::find(m_executerList.begin(), m_executerList.end(), executer);
        // Not listed: the destructor has taken it over.
        if (found == m_executerList.end()) return;
        m_executerList.erase(found);
        m_freeList.remove(executer);
        --m_noOfExecuter;
        if (executer->onOwnThread()) {
            // A thread cannot join itself: the observer or the destructor does it.
            m_retired.push_back(executer);
            m_wakeRequested = true;
            m_observerWake.notify_all();
            return;
        }
    }
    executer->stop(false);
    delete executer;
}

bool CMThreadedJobQ::RetireOrFree(CJobExecuter* executer) {
    {
        Lock lock(m_lock);
        if (m_stopping) return false;
        if (m_maxNoOfExecuter < m_noOfExecuter) {
            // Counted out under the same lock as the check, so threads ending together
            // retire no more than the excess.
            deleteJobExecuter(executer);
            return true;
        }
        addFreeJobExecuter(executer);
    }
    WakeObserver();
    return false;
}

void CMThreadedJobQ::WakeObserver() {
    {
        Lock lock(m_lock);
        m_wakeRequested = true;
    }
    m_observerWake.notify_all();
}

bool CMThreadedJobQ::WaitForWake(std::chrono::milliseconds atMost) {
    Lock lock(m_lock);
    m_observerWake.wait_for(lock.Native(), atMost,
                            [this]() ZS_REQUIRES(m_lock) { return m_wakeRequested || m_stopping; });
    m_wakeRequested = false;
    return !m_stopping;
}

void CMThreadedJobQ::DispatchPass() {
    for (;;) {
        Lock lock(m_lock);
        if (m_stopping || m_paused || m_jobList.empty()) return;
        CJobExecuter* executer = getJobExecuter();
        if (!executer) return;
        CJob* job = m_jobList.front();
        executer->execute(job);
        std::this_thread::yield();
        m_jobList.pop_front();
        PostRefreshList();
    }
}

void CMThreadedJobQ::ReapRetired() {
    std::vector<CJobExecuter*> retired;
    {
        Lock lock(m_lock);
        retired.swap(m_retired);
    }
    for (CJobExecuter* executer : retired) delete executer;
}

void CMThreadedJobQ::PostRefreshList() {
    if (auto window = ApplicationMainWindow()) {
        SWindowMessage message;
        message.message = RefreshListMessage();
        window->PostMessage(message);
    }
}

unsigned CMThreadedJobQ::JobObserverThreadFunction(CMThreadedJobQ* queue) {
    for (;;) {
        // The pause lets jobs queued together be dispatched by priority; only a stop ends it.
        {
            Lock lock(queue->m_lock);
            queue->m_observerWake.wait_for(
                lock.Native(), queue->m_dispatchPause,
                [queue]() ZS_REQUIRES(queue->m_lock) { return queue->m_stopping; });
            if (queue->m_stopping) break;
        }
        queue->ReapRetired();
        queue->DispatchPass();
        // A wake-up that came during the pass is kept in the flag, so this returns at once.
        if (!queue->WaitForWake(std::chrono::hours(1))) break;
    }
    return 0;
}
