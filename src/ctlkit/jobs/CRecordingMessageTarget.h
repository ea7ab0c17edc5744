#pragma once
#include "CLoopMessageTarget.h"
#include "ctlkit/base/Mutex.h"
#include <memory>
#include <thread>
#include <vector>

// A window for tests: keeps every message it handles with the thread that handled it, and
// answers with `answer` (1 unless changed).
class CRecordingMessageTarget : public CLoopMessageTarget {
public:
    struct SRecord {
        SWindowMessage message;
        std::thread::id thread;
    };

    explicit CRecordingMessageTarget(CUiThreadLoop& loop)
        : CLoopMessageTarget(loop, [this](const SWindowMessage& m) { return Record(m); }) {}

    static std::shared_ptr<CRecordingMessageTarget> Create(CUiThreadLoop& loop) {
        auto target = std::make_shared<CRecordingMessageTarget>(loop);
        target->BindSelf(target);
        return target;
    }

    // Set before the first message; called on the loop's thread after recording.
    void SetAnswer(std::function<long(const SWindowMessage&)> answer) ZS_EXCLUDES(m_mutex) {
        MutexLock lock(m_mutex);
        m_answer = std::move(answer);
    }

    std::vector<SRecord> Records() ZS_EXCLUDES(m_mutex) {
        MutexLock lock(m_mutex);
        return m_records;
    }
    size_t Count() ZS_EXCLUDES(m_mutex) {
        MutexLock lock(m_mutex);
        return m_records.size();
    }

private:
    long Record(const SWindowMessage& message) ZS_EXCLUDES(m_mutex) {
        std::function<long(const SWindowMessage&)> answer;
        {
            MutexLock lock(m_mutex);
            m_records.push_back({message, std::this_thread::get_id()});
            answer = m_answer;
        }
        return answer ? answer(message) : 1;
    }

    Mutex m_mutex;
    std::vector<SRecord> m_records ZS_GUARDED_BY(m_mutex);
    std::function<long(const SWindowMessage&)> m_answer ZS_GUARDED_BY(m_mutex);
};
