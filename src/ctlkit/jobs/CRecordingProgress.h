#pragma once
#include "CDownloadProgressSink.h"
#include "ctlkit/base/Mutex.h"
#include <atomic>
#include <vector>

// A progress dialog for tests and the command-line tool: keeps the title and every status
// text; Cancel sets the flag only, like the dialog's button. `onStatus`, when set, is called
// with each status text (a test presses Cancel from it, at a known point of the transfer).
class CRecordingProgress : public CDownloadProgressSink {
public:
    void SetTitle(const std::string& title) ZS_EXCLUDES(m_mutex) override {
        MutexLock lock(m_mutex);
        m_title = title;
    }
    void SetStatusText(const std::string& text) ZS_EXCLUDES(m_mutex) override {
        std::function<void(const std::string&)> hook;
        {
            MutexLock lock(m_mutex);
            m_statusTexts.push_back(text);
            hook = onStatus;
        }
        if (hook) hook(text);
    }
    bool IsCancelled() override {
        int asked = ++m_cancelChecks;
        if (m_cancelAtCheck > 0 && asked >= m_cancelAtCheck) m_cancelled = true;
        return m_cancelled.load();
    }
    void Close() override { ++m_closeCount; }

    void Cancel() { m_cancelled = true; }
    // Presses "Cancel" just before the n-th look at the flag (1 = the first).
    void CancelAtCheck(int n) { m_cancelAtCheck = n; }
    void SetStatusHook(std::function<void(const std::string&)> hook) ZS_EXCLUDES(m_mutex) {
        MutexLock lock(m_mutex);
        onStatus = std::move(hook);
    }

    std::string Title() ZS_EXCLUDES(m_mutex) {
        MutexLock lock(m_mutex);
        return m_title;
    }
    std::vector<std::string> StatusTexts() ZS_EXCLUDES(m_mutex) {
        MutexLock lock(m_mutex);
        return m_statusTexts;
    }
    int CloseCount() const { return m_closeCount.load(); }

private:
    Mutex m_mutex;
    std::string m_title ZS_GUARDED_BY(m_mutex);
    std::vector<std::string> m_statusTexts ZS_GUARDED_BY(m_mutex);
    std::function<void(const std::string&)> onStatus ZS_GUARDED_BY(m_mutex);
    std::atomic<bool> m_cancelled{false};
    std::atomic<int> m_cancelChecks{0};
    std::atomic<int> m_cancelAtCheck{0};
    std::atomic<int> m_closeCount{0};
};
