#include "AtomicFile.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
void SetError(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}
} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    std::string tmpl = path + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) {
        SetError(error, "cannot create a file in " + FolderOf(path));
        return false;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat old {};
    mode_t mode = (::stat(path.c_str(), &old) == 0) ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        SetError(error, "cannot write " + path);
        ::close(fd);
        ::unlink(tmpl.c_str());
        return false;
    }
    if (::close(fd) != 0) {
        SetError(error, "cannot write " + path);
        ::unlink(tmpl.c_str());
        return false;
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        SetError(error, "cannot replace " + path);
        ::unlink(tmpl.c_str());
        return false;
    }
    // Make the rename itself durable.
    int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}
