#include "CQuoteFileStore.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/QuoteFileLock.h"
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

CFileResult CDiskQuoteFileStore::Read(const std::string& path, std::string& bytes) {
    return ReadWholeFile(path, bytes);
}

bool CDiskQuoteFileStore::Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

bool CDiskQuoteFileStore::FolderExists(const std::string& folder) {
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CDiskQuoteFileStore::CreateFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return FolderExists(folder);
}

CFileResult CDiskQuoteFileStore::Replace(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(path, bytes);
}

namespace {
// The quote file's lock shared with the chart program's downloads and reloads.
class CDiskQuoteFileLock : public CQuoteFileLock {
public:
    explicit CDiskQuoteFileLock(const std::string& path)
        : m_lock(path, QuoteFileLock::EMode::Exclusive) {}

private:
    QuoteFileLock m_lock;
};
} // namespace

std::unique_ptr<CQuoteFileLock> CDiskQuoteFileStore::LockQuoteFile(const std::string& path) {
    return std::make_unique<CDiskQuoteFileLock>(path);
}

CFileResult CMemoryQuoteFileStore::Read(const std::string& path, std::string& bytes) {
    auto found = files.find(path);
    if (found == files.end() || unreadable.count(path))
        return CFileResult::Failure(CFileResult::EKind::CannotOpen, "cannot open " + path);
    bytes = found->second;
    return {};
}

bool CMemoryQuoteFileStore::CreateFolder(const std::string& folder) {
    if (refuseFolders) return false;
    folders.insert(folder);
    return true;
}

CFileResult CMemoryQuoteFileStore::Replace(const std::string& path, std::string_view bytes) {
    if (refuseWrites)
        return CFileResult::Failure(CFileResult::EKind::CannotWrite, "cannot replace " + path);
    files[path] = std::string(bytes);
    return {};
}
