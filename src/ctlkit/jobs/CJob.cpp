#include "CJob.h"

std::atomic<long> CJob::s_lastUsedID{0};

CJob::CJob() : m_id(++s_lastUsedID) {}

CJob::CJob(const CJob& other)
    : m_finished(other.m_finished.load()), m_id(other.m_id),
      m_autoDelete(other.m_autoDelete.load()), m_priority(other.m_priority) {}

CJob& CJob::operator=(const CJob& other) {
    m_finished = other.m_finished.load();
    m_id = other.m_id;
    m_autoDelete = other.m_autoDelete.load();
    m_priority = other.m_priority;
    return *this;
}

CJob::~CJob() = default;
