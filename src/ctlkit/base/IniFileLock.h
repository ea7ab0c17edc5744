#pragma once
#include <string>

// Serialises the read-modify-write of one INI file between threads and processes: an
// exclusive flock on "<ini path>.lock", held from construction to destruction.
//
// The lock lives on a file of its own because every write replaces the INI file by renaming
// a new file over it (WriteFileAtomically): a lock on the INI file itself would be a lock on
// the old inode, and a process that opened the file after the rename would lock the new inode
// at the same time, so two writers could both believe they held the lock. The lock file is
// never renamed or deleted, so every writer locks the same inode. Readers take no lock: the
// rename makes every read see either the whole old or the whole new file.
//
// flock locks belong to an open file description, so two threads of one process that each
// construct a lock are serialised as well.
class IniFileLock {
public:
    explicit IniFileLock(const std::string& iniPath);
    ~IniFileLock();
    IniFileLock(const IniFileLock&) = delete;
    IniFileLock& operator=(const IniFileLock&) = delete;

    // False when the lock file could not be created or locked (for instance the folder does
    // not exist or is not writable); the write must then not go ahead.
    bool Locked() const { return m_fd >= 0; }

    static std::string LockPathFor(const std::string& iniPath) { return iniPath + ".lock"; }

private:
    int m_fd = -1;
};
