#include "WritableHome.h"
#include "AtomicFile.h"
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string Getenv(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

std::string SystemError(int error) {
    return std::strerror(error);
}

bool WriteAll(int fd, const std::string& bytes) {
    const char* data = bytes.data();
    size_t size = bytes.size();
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// `to` gets the bytes of `from` unless it exists: written under a temporary name, then linked
// into place, which fails rather than replace a file that appeared meanwhile.
std::string CopyIfMissing(const fs::path& from, const fs::path& to) {
    std::string bytes;
    if (CFileResult read = ReadWholeFile(from.string(), bytes); !read) return read.message();
    std::string temporary = to.string() + ".part-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return "cannot create a file in " + to.parent_path().string() + ": " +
                       SystemError(errno);
    const bool written = WriteAll(fd, bytes);
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(temporary.c_str());
        return "cannot write " + to.string() + ": " + SystemError(written ? errno : writeError);
    }
    int error = 0;
    if (::link(temporary.c_str(), to.c_str()) != 0) {
        error = errno;
        // File systems without hard links: a rename, after the same check.
        if (error != EEXIST && ::access(to.c_str(), F_OK) != 0)
            error = ::rename(temporary.c_str(), to.c_str()) == 0 ? 0 : errno;
        else
            error = 0;
    }
    ::unlink(temporary.c_str());
    return error == 0 ? std::string() : "cannot write " + to.string() + ": " + SystemError(error);
}

std::string CopyMissing(const fs::path& sample, const fs::path& home) {
    std::error_code error;
    fs::recursive_directory_iterator it(sample, error), end;
    if (error) return "cannot read " + sample.string() + ": " + error.message();
    for (; it != end; it.increment(error)) {
        if (error) return "cannot read " + sample.string() + ": " + error.message();
        const fs::path relative = it->path().lexically_relative(sample);
        if (relative == kFilledHomeMarker) continue;
        const fs::path to = home / relative;
        const fs::file_status status = it->status(error); // through a link to what it names
        if (error) continue; // a dangling link: nothing to copy
        if (fs::is_directory(status)) {
            if (it->is_symlink()) continue;
            fs::create_directory(to, error);
            if (error && !fs::is_directory(to))
                return "cannot make " + to.string() + ": " + error.message();
            continue;
        }
        constexpr fs::perms kExecutable =
            fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
        if (!fs::is_regular_file(status) || (status.permissions() & kExecutable) != fs::perms::none)
            continue;
        if (fs::exists(fs::symlink_status(to, error))) continue;
        if (std::string problem = CopyIfMissing(it->path(), to); !problem.empty()) return problem;
    }
    return {};
}

std::string WriteMarker(const fs::path& home, const std::string& sample) {
    const CFileResult written = WriteFileAtomically((home / kFilledHomeMarker).string(),
                                                    "Filled from " + sample + "\n");
    return written ? std::string() : written.message();
}
} // namespace

SHomeEnvironment SHomeEnvironment::OfProcess() {
    return {Getenv("ZENTRISTOCK_HOME"), Getenv("XDG_DATA_HOME"), Getenv("HOME")};
}

std::string FallbackHomeFolder(const SHomeEnvironment& environment) {
    if (!environment.xdgDataHome.empty() && environment.xdgDataHome.front() == '/')
        return WithTrailingSlash(environment.xdgDataHome) + "zentristock/";
    if (!environment.home.empty() && environment.home.front() == '/')
        return WithTrailingSlash(environment.home) + ".local/share/zentristock/";
    return {};
}

bool IsWritableFolder(const std::string& folder) {
    std::string probe = WithTrailingSlash(folder) + ".zentristock-write-test-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    return ::unlink(probe.c_str()) == 0;
}

SHomeChoice ChooseProgramFolder(const std::string& installed, const SHomeEnvironment& environment,
                                const std::function<bool(const std::string&)>& writable) {
    if (!environment.zentristockHome.empty())
        return {WithTrailingSlash(environment.zentristockHome), {}};
    const std::string installation = WithTrailingSlash(installed);
    if (writable(installation)) return {installation, {}};
    const std::string home = FallbackHomeFolder(environment);
    const std::string used = " The installation's folder " + installation +
                             " is used as it is: what is changed cannot be saved.";
    if (home.empty())
        return {installation, "The installation's folder " + installation +
                                  " cannot be written to, and neither XDG_DATA_HOME nor HOME "
                                  "names a folder for a home of your own. It is used as it is: "
                                  "what is changed cannot be saved."};
    if (std::string problem = FillHome(installation, home); !problem.empty())
        return {installation, "The home folder " + home + " cannot be made (" + problem + ")." +
                                  used};
    return {home, {}};
}

std::string FillHome(const std::string& sample, const std::string& home) {
    const fs::path target = WithoutTrailingSlash(home);
    std::error_code error;
    const fs::path marker = target / kFilledHomeMarker;
    if (fs::exists(marker, error)) return {};
    if (!fs::exists(fs::symlink_status(target, error))) {
        const fs::path parent = target.parent_path();
        fs::create_directories(parent, error);
        if (!fs::is_directory(parent, error))
            return "cannot make " + parent.string() + (error ? ": " + error.message() : "");
        // Beside the home, so that the rename is one step on one file system.
        std::string temporary = target.string() + ".part-XXXXXX";
        if (!::mkdtemp(temporary.data()))
            return "cannot make a folder in " + parent.string() + ": " + SystemError(errno);
        std::string problem = CopyMissing(sample, temporary);
        if (problem.empty()) problem = WriteMarker(temporary, sample);
        if (problem.empty() && ::rename(temporary.c_str(), target.c_str()) != 0) {
            const int renameError = errno;
            if (renameError != EEXIST && renameError != ENOTEMPTY)
                problem = "cannot rename " + temporary + " to " + target.string() + ": " +
                          SystemError(renameError);
        }
        std::error_code ignored;
        fs::remove_all(temporary, ignored); // gone already when the rename took it
        if (!problem.empty()) return problem;
        // Renamed, or another start made the home meanwhile: it is then completed below.
        if (fs::exists(marker, error)) return {};
    }
    if (!fs::is_directory(target, error)) return target.string() + " is not a folder";
    // A folder without the marker: made by hand, or by a start that was stopped.
    if (std::string problem = CopyMissing(sample, target); !problem.empty()) return problem;
    return WriteMarker(target, sample);
}
