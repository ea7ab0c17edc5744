#include "CInstanceLock.h"
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

CInstanceLock::CInstanceLock(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        m_error = "cannot open " + path + ": " + std::strerror(errno);
        return;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        if (errno == EWOULDBLOCK) {
            m_state = EState::HeldByOther;
            char text[32] = {};
            if (::pread(fd, text, sizeof text - 1, 0) > 0)
                m_ownerPid = std::strtol(text, nullptr, 10);
        } else {
            m_error = "cannot lock " + path + ": " + std::strerror(errno);
        }
        ::close(fd);
        return;
    }
    const std::string pid = std::to_string(static_cast<long>(::getpid())) + "\n";
    if (::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
        m_error = "cannot write " + path + ": " + std::strerror(errno);
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_state = EState::Locked;
}

CInstanceLock::~CInstanceLock() {
    if (m_fd >= 0) ::close(m_fd);
}
