#include "CTextLineReader.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CTextLineReader::~CTextLineReader() {
    if (m_fd >= 0) ::close(m_fd);
}

bool CTextLineReader::Open(const std::string& path) {
    // Non-blocking so that a pipe of that name cannot hang the open; refused below anyway.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0) return false;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    // A small file needs no full block; Fill grows the buffer should the file grow.
    m_openedSize = static_cast<size_t>(std::max<off_t>(st.st_size, 0));
    size_t expected = m_openedSize + 1;
    m_buffer.resize(std::clamp<size_t>(expected, 4096, kBlockSize));
    return true;
}

void CTextLineReader::OpenText(std::string_view text) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    // Never an empty buffer: Next searches from its first byte.
    m_buffer.assign(text.begin(), text.end());
    if (m_buffer.empty()) m_buffer.resize(1);
    m_begin = 0;
    m_end = text.size();
    m_eof = true;
    m_failed = false;
    m_openedSize = text.size();
}

// Moves the unread tail to the front and reads behind it; false when nothing new came.
bool CTextLineReader::Fill() {
    if (m_eof || m_fd < 0) return false;
    size_t tail = m_end - m_begin;
    if (m_begin > 0 && tail > 0) std::memmove(m_buffer.data(), m_buffer.data() + m_begin, tail);
    m_begin = 0;
    m_end = tail;
    if (m_end == m_buffer.size()) m_buffer.resize(std::min(m_buffer.size() * 2, kBlockSize));
    for (;;) {
        ssize_t n = ::read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (n > 0) {
            m_end += static_cast<size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) m_failed = true;
        m_eof = true;
        return false;
    }
}

bool CTextLineReader::SkipRestOfLine() {
    for (;;) {
        const char* start = m_buffer.data() + m_begin;
        const void* lf = std::memchr(start, '\n', m_end - m_begin);
        if (lf) {
            m_begin += static_cast<size_t>(static_cast<const char*>(lf) - start) + 1;
            return true;
        }
        m_begin = m_end = 0;
        if (!Fill()) return false;
    }
}

bool CTextLineReader::Next(std::string_view& line, bool& overlong) {
    overlong = false;
    size_t searched = 0;
    for (;;) {
        const char* start = m_buffer.data() + m_begin;
        size_t available = m_end - m_begin;
        const void* lf = std::memchr(start + searched, '\n', available - searched);
        if (lf) {
            size_t length = static_cast<size_t>(static_cast<const char*>(lf) - start);
            m_begin += length + 1;
            if (length > kMaxLineLength) {
                overlong = true;
                line = {};
                return true;
            }
            if (length > 0 && start[length - 1] == '\r') --length;
            line = std::string_view(start, length);
            return true;
        }
        if (available > kMaxLineLength) {
            overlong = true;
            line = {};
            m_begin = m_end;
            SkipRestOfLine();
            return true;
        }
        searched = available;
        if (!Fill()) {
            if (m_end == m_begin) return false;
            // The last line has no line feed.
            start = m_buffer.data() + m_begin;
            size_t length = m_end - m_begin;
            m_begin = m_end;
            if (start[length - 1] == '\r') --length;
            line = std::string_view(start, length);
            return true;
        }
    }
}
