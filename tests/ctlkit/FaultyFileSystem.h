#pragma once
#include "ctlkit/base/FileSystemCalls.h"
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// The steps by which a stored file is replaced, as the file-system seam names them.
enum class EFileStep { Open, Write, Fsync, Close, Rename };
inline constexpr std::array<EFileStep, 5> kFileSteps = {
    EFileStep::Open, EFileStep::Write, EFileStep::Fsync, EFileStep::Close, EFileStep::Rename};

inline const char* FileStepName(EFileStep step) {
    switch (step) {
    case EFileStep::Open:
        return "open";
    case EFileStep::Write:
        return "write";
    case EFileStep::Fsync:
        return "fsync";
    case EFileStep::Close:
        return "close";
    case EFileStep::Rename:
        return "rename";
    }
    return "?";
}

// For its lifetime the file-system calls of the writers go through this object: every call
// is counted per step, and the `nth` call (from 1) of `step` fails with `error` without
// touching the file system (a failed close still releases the descriptor, as Linux does);
// a flush that does not fail does nothing.
// One at a time, on the test's thread.
class CFaultyFileSystem {
public:
    CFaultyFileSystem(EFileStep step, int nth, int error)
        : m_step(step), m_nth(nth), m_error(error) {
        s_active = this;
        SetFileSystemCalls(&kCalls);
    }
    ~CFaultyFileSystem() {
        SetFileSystemCalls(nullptr);
        s_active = nullptr;
    }
    CFaultyFileSystem(const CFaultyFileSystem&) = delete;
    CFaultyFileSystem& operator=(const CFaultyFileSystem&) = delete;

    int Calls(EFileStep step) const { return m_calls[static_cast<size_t>(step)]; }
    // Whether the planned failure has happened.
    bool Failed() const { return Calls(m_step) >= m_nth; }

private:
    // True when this call of `step` is the one to fail (errno is then set).
    static bool Fails(EFileStep step) {
        CFaultyFileSystem& self = *s_active;
        const int call = ++self.m_calls[static_cast<size_t>(step)];
        if (step != self.m_step || call != self.m_nth) return false;
        errno = self.m_error;
        return true;
    }
    static int CreateTemp(char* pathTemplate) {
        return Fails(EFileStep::Open) ? -1 : ::mkstemp(pathTemplate);
    }
    static ssize_t Write(int fd, const void* data, size_t size) {
        return Fails(EFileStep::Write) ? -1 : ::write(fd, data, size);
    }
    // What these tests check needs no data on the disk: a flush that does not fail is skipped.
    static int Fsync(int) { return Fails(EFileStep::Fsync) ? -1 : 0; }
    static int Close(int fd) {
        if (!Fails(EFileStep::Close)) return ::close(fd);
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    static int Rename(const char* from, const char* to) {
        return Fails(EFileStep::Rename) ? -1 : std::rename(from, to);
    }

    static constexpr SFileSystemCalls kCalls = {&CreateTemp, &Write, &Fsync, &Close, &Rename};
    static inline CFaultyFileSystem* s_active = nullptr;

    EFileStep m_step;
    int m_nth;
    int m_error;
    std::array<int, kFileSteps.size()> m_calls{};
};
