#include "AtomicFile.h"
#include "FileSystemCalls.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fsc = file_system_calls;

namespace {
CFileResult Failure(CFileResult::EKind kind, const std::string& what) {
    return CFileResult::Failure(kind, what + ": " + std::strerror(errno));
}

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = fsc::Write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // A write that takes nothing would loop for ever: take it as a full disk.
            if (n == 0) errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}
} // namespace

CFileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    constexpr auto kCannotWrite = CFileResult::EKind::CannotWrite;
    std::string tmpl = path + ".XXXXXX";
    int fd = fsc::CreateTemp(tmpl.data());
    if (fd < 0) return Failure(kCannotWrite, "cannot create a file in " + FolderOf(path));
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat old {};
    mode_t mode = (::stat(path.c_str(), &old) == 0) ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    if (!WriteAll(fd, bytes) || fsc::Fsync(fd) != 0) {
        CFileResult failed = Failure(kCannotWrite, "cannot write " + path);
        ::close(fd);
        ::unlink(tmpl.c_str());
        return failed;
    }
    if (fsc::Close(fd) != 0) {
        CFileResult failed = Failure(kCannotWrite, "cannot write " + path);
        ::unlink(tmpl.c_str());
        return failed;
    }
    if (fsc::Rename(tmpl.c_str(), path.c_str()) != 0) {
        CFileResult failed = Failure(kCannotWrite, "cannot replace " + path);
        ::unlink(tmpl.c_str());
        return failed;
    }
    // Make the rename itself durable. The new file is in place by now, so a failure here
    // changes nothing for the caller and is not reported.
    int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

CFileResult ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return Failure(CFileResult::EKind::CannotOpen, "cannot open " + path);
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    CFileResult result;
    if (std::ferror(f)) result = Failure(CFileResult::EKind::CannotOpen, "cannot read " + path);
    std::fclose(f);
    return result;
}
