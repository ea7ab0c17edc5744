#include "DataFolder.h"
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
const char* const kDocumentSection = "DATA_DIRECTORY";
const char* const kDocumentKey = "DataDirectory";
const char* const kDownloaderSection = "ENVIORMENT";
const char* const kDownloaderKey = "DATA_DIRECTORY";

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}
} // namespace

std::string StoredDataFolder(CIniReader& ini) {
    std::string folder = ini.getKeyValue(kDocumentKey, kDocumentSection);
    if (folder.empty()) folder = ini.getKeyValue(kDownloaderKey, kDownloaderSection);
    return folder;
}

std::string DataFolderFrom(const CInstallPaths& paths, const std::string& stored) {
    if (stored.empty()) return paths.DefaultDataFolder();
    if (stored.front() != '/') return WithTrailingSlash(paths.ProgramFolder() + stored);
    return WithTrailingSlash(stored);
}

std::string DataFolderOf(const CInstallPaths& paths, CIniReader& ini) {
    return DataFolderFrom(paths, StoredDataFolder(ini));
}

std::string DataFolderProblem(const std::string& folder) {
    if (folder.empty()) return "No folder is named.";
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error))
        return "The folder " + folder + " does not exist and cannot be made.";
    // Permissions say little (root, ACLs, read-only mounts): only a file made there tells. The
    // probe gets a name of its own, so that no file of the user's is overwritten or removed.
    std::string probe = WithTrailingSlash(folder) + ".zentristock-write-test-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return "The folder " + folder + " cannot be written to.";
    const bool written = WriteAll(fd, "x", 1) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    const bool removed = ::unlink(probe.c_str()) == 0;
    if (!written || !closed) return "The folder " + folder + " cannot be written to.";
    if (!removed) return "The folder " + folder + " keeps no file that is removed from it.";
    return {};
}

bool WriteDataFolder(CIniReader& ini, const std::string& folder) {
    bool ok = static_cast<bool>(ini.Write({{kDocumentKey, folder}}, kDocumentSection));
    return static_cast<bool>(ini.Write({{kDownloaderKey, folder}}, kDownloaderSection)) && ok;
}
