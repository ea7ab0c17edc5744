#include "FileSystemCalls.h"
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {
std::atomic<const SFileSystemCalls*> g_replaced{nullptr};

const SFileSystemCalls* Replaced() {
    return g_replaced.load(std::memory_order_acquire);
}
} // namespace

namespace file_system_calls {
int CreateTemp(char* pathTemplate) {
    const SFileSystemCalls* calls = Replaced();
    return calls ? calls->createTemp(pathTemplate) : ::mkstemp(pathTemplate);
}

ssize_t Write(int fd, const void* data, size_t size) {
    const SFileSystemCalls* calls = Replaced();
    return calls ? calls->write(fd, data, size) : ::write(fd, data, size);
}

int Fsync(int fd) {
    const SFileSystemCalls* calls = Replaced();
    return calls ? calls->fsync(fd) : ::fsync(fd);
}

int Close(int fd) {
    const SFileSystemCalls* calls = Replaced();
    return calls ? calls->close(fd) : ::close(fd);
}

int Rename(const char* from, const char* to) {
    const SFileSystemCalls* calls = Replaced();
    return calls ? calls->rename(from, to) : std::rename(from, to);
}
} // namespace file_system_calls

void SetFileSystemCalls(const SFileSystemCalls* calls) {
    g_replaced.store(calls, std::memory_order_release);
}
