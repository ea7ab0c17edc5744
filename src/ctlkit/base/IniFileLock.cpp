#include "IniFileLock.h"
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

IniFileLock::IniFileLock(const std::string& iniPath) {
    int fd = ::open(LockPathFor(iniPath).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

IniFileLock::~IniFileLock() {
    if (m_fd >= 0) ::close(m_fd); // closing the descriptor releases the lock
}
