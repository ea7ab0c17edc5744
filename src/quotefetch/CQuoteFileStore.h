#pragma once
#include "ctlkit/base/CFileResult.h"
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

// Held while one quote file is read, merged and replaced, so that no other writer of that
// file comes between the reading and the replacing.
class CQuoteFileLock {
public:
    virtual ~CQuoteFileLock() = default;
};

// The files an import reads and writes: the disk, or memory for tests and fuzzing.
class CQuoteFileStore {
public:
    virtual ~CQuoteFileStore() = default;
    // The whole file; CannotOpen when it is missing or cannot be read.
    virtual CFileResult Read(const std::string& path, std::string& bytes) = 0;
    // True when something exists at `path` (a file that may not be readable).
    virtual bool Exists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& folder) = 0;
    // Creates the folder and its missing parents; false when it cannot.
    virtual bool CreateFolder(const std::string& folder) = 0;
    // Replaces the file with `bytes` in one step: on failure the old file is unchanged.
    virtual CFileResult Replace(const std::string& path, std::string_view bytes) = 0;
    // The lock of one quote file, taken before it is read and released after it is replaced;
    // null when the store has no locks.
    virtual std::unique_ptr<CQuoteFileLock> LockQuoteFile(const std::string& path) = 0;
};

// The disk: files replaced atomically (WriteFileAtomically).
class CDiskQuoteFileStore : public CQuoteFileStore {
public:
    CFileResult Read(const std::string& path, std::string& bytes) override;
    bool Exists(const std::string& path) override;
    bool FolderExists(const std::string& folder) override;
    bool CreateFolder(const std::string& folder) override;
    CFileResult Replace(const std::string& path, std::string_view bytes) override;
    // The exclusive QuoteFileLock of the file.
    std::unique_ptr<CQuoteFileLock> LockQuoteFile(const std::string& path) override;
};

// Files and folders in memory. Paths are compared as given.
class CMemoryQuoteFileStore : public CQuoteFileStore {
public:
    CFileResult Read(const std::string& path, std::string& bytes) override;
    bool Exists(const std::string& path) override { return files.count(path) != 0; }
    bool FolderExists(const std::string& folder) override { return folders.count(folder) != 0; }
    bool CreateFolder(const std::string& folder) override;
    CFileResult Replace(const std::string& path, std::string_view bytes) override;
    std::unique_ptr<CQuoteFileLock> LockQuoteFile(const std::string&) override { return nullptr; }

    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> unreadable; // files that Read refuses
    bool refuseFolders = false;       // CreateFolder fails
    bool refuseWrites = false;        // Replace fails
};
