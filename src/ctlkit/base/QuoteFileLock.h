#pragma once
#include <chrono>
#include <string>

// Keeps the writers of one quote file apart, between threads and processes: an flock on a
// lock file of its own beside the quote file, held from construction to destruction.
//
// A writer (a download, a renewal, the downloader's job) holds the exclusive lock from
// reading the old file to renaming the new one over it, so two merges of one file never
// overlap and neither loses the other's days. A reader (the chart's load and reload) takes
// the shared lock for the time of its read; since every write replaces the file by rename,
// a reader that cannot get the lock in time reads without it and still sees a whole file.
//
// As with IniFileLock the lock is on a separate file that is never renamed or removed: a
// lock on the quote file would be a lock on the inode the next rename replaces. The lock
// file is "<folder>/.<file name>.lock": hidden, and not ending in ".csv" or ".txt", so no
// symbol or data-file listing shows it.
class QuoteFileLock {
public:
    enum class EMode { Exclusive, Shared };

    // Waits for the lock as long as it takes.
    QuoteFileLock(const std::string& quotePath, EMode mode);
    // Waits at most `patience`; Locked() tells whether it was taken.
    QuoteFileLock(const std::string& quotePath, EMode mode, std::chrono::milliseconds patience);
    ~QuoteFileLock();
    QuoteFileLock(const QuoteFileLock&) = delete;
    QuoteFileLock& operator=(const QuoteFileLock&) = delete;

    // False when the lock file could not be created or opened (the folder is missing or not
    // writable) or the wait ran out.
    bool Locked() const { return m_fd >= 0; }

    static std::string LockPathFor(const std::string& quotePath);

private:
    void Take(const std::string& quotePath, EMode mode, const std::chrono::milliseconds* patience);

    int m_fd = -1;
};
