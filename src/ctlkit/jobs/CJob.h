#pragma once
#include <atomic>

// The base of every job of a CMThreadedJobQ. A job is created with new, filled through its
// setters, handed to CMThreadedJobQ::addJob, runs once on a pool thread and is then deleted by
// the pool unless auto-delete was switched off.
class CJob {
public:
    CJob();
    // Copies carry all four fields, the id included.
    CJob(const CJob& other);
    CJob& operator=(const CJob& other);
    virtual ~CJob();

    // The job's work, on a pool thread.
    virtual void execute() = 0;
    // Called instead of execute when the queue is destroyed before the job was handed out.
    virtual void discard() {}

    long getID() const { return m_id; }
    int getPriority() const { return m_priority; }
    void setPriority(int priority) { m_priority = priority; }
    int AutoDelete() const { return m_autoDelete.load(); }
    void setAutoDelete(int autoDelete) { m_autoDelete = autoDelete; }
    // 1 once the pool thread has returned from execute.
    int isFinished() const { return m_finished.load(); }
    void setFinished() { m_finished = 1; }

    // Set by the queue when it is destroyed while the job runs; a job's work tests it and
    // ends as soon as it can (a transfer given the flag aborts).
    void requestCancel() { m_cancelRequested = true; }
    bool cancelRequested() const { return m_cancelRequested.load(); }
    const std::atomic<bool>& cancelFlag() const { return m_cancelRequested; }

    // The id of the most recently created job; the first job of the process has id 1.
    static long lastUsedID() { return s_lastUsedID.load(); }

private:
    std::atomic<int> m_finished{0};
    long m_id;
    std::atomic<int> m_autoDelete{1};
    int m_priority = 5;
    std::atomic<bool> m_cancelRequested{false};

    static std::atomic<long> s_lastUsedID;
};
