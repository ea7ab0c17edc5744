#pragma once
#include <cstddef>
#include <sys/types.h>

// The file-system calls by which stored files are replaced (WriteFileAtomically): create the
// temporary file, write, flush, close, rename. They are the system's own unless a test puts
// a table of its own in their place to make any of them fail; the normal path pays one
// pointer test per call. Each member behaves as the system call it stands for: -1 (or a
// negative count) with errno set on failure.
struct SFileSystemCalls {
    int (*createTemp)(char* pathTemplate); // mkstemp
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
};

// Puts `calls` in place of the system's calls for every thread; nullptr restores them. The
// table must outlive its use. For tests: set it while no file is being written.
void SetFileSystemCalls(const SFileSystemCalls* calls);

// The calls as WriteFileAtomically makes them.
namespace file_system_calls {
int CreateTemp(char* pathTemplate);
ssize_t Write(int fd, const void* data, size_t size);
int Fsync(int fd);
int Close(int fd);
int Rename(const char* from, const char* to);
} // namespace file_system_calls
