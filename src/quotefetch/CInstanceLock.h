#pragma once
#include <string>

// Keeps two downloader runs (windowed or batch) off one installation: an exclusive,
// non-blocking flock on System/quotefetch.lock, which then holds the process id of its
// owner. The lock goes with the process (closing the descriptor or exiting releases it);
// the file stays, so a later run locks the same inode.
class CInstanceLock {
public:
    enum class EState { Locked, HeldByOther, Failed };

    explicit CInstanceLock(const std::string& path);
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    EState State() const { return m_state; }
    // HeldByOther: the process id the file names (0 when it names none); Failed: the reason.
    long OwnerPid() const { return m_ownerPid; }
    const std::string& Error() const { return m_error; }

private:
    int m_fd = -1;
    EState m_state = EState::Failed;
    long m_ownerPid = 0;
    std::string m_error;
};
