#include "QuoteFileLock.h"
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

std::string QuoteFileLock::LockPathFor(const std::string& quotePath) {
    const size_t slash = quotePath.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return quotePath.substr(0, nameStart) + "." + quotePath.substr(nameStart) + ".lock";
}

QuoteFileLock::QuoteFileLock(const std::string& quotePath, EMode mode) {
    Take(quotePath, mode, nullptr);
}

QuoteFileLock::QuoteFileLock(const std::string& quotePath, EMode mode,
                             std::chrono::milliseconds patience) {
    Take(quotePath, mode, &patience);
}

QuoteFileLock::~QuoteFileLock() {
    if (m_fd >= 0) ::close(m_fd); // closing the descriptor releases the lock
}

void QuoteFileLock::Take(const std::string& quotePath, EMode mode,
                         const std::chrono::milliseconds* patience) {
    const std::string lockPath = LockPathFor(quotePath);
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // A reader in a folder it may not write to can still lock a lock file that exists.
    if (fd < 0 && mode == EMode::Shared) fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    const int operation = mode == EMode::Exclusive ? LOCK_EX : LOCK_SH;
    int rc;
    if (!patience) {
        do {
            rc = ::flock(fd, operation);
        } while (rc != 0 && errno == EINTR);
    } else {
        const auto deadline = std::chrono::steady_clock::now() + *patience;
        while ((rc = ::flock(fd, operation | LOCK_NB)) != 0 &&
               (errno == EWOULDBLOCK || errno == EINTR) &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (rc != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}
