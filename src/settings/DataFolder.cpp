#include "DataFolder.h"
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {
const char* const kDocumentSection = "DATA_DIRECTORY";
const char* const kDocumentKey = "DataDirectory";
const char* const kDownloaderSection = "ENVIORMENT";
const char* const kDownloaderKey = "DATA_DIRECTORY";

std::string WithTrailingSlash(std::string folder) {
    if (folder.back() != '/') folder += '/';
    return folder;
}
} // namespace

std::string StoredDataFolder(CIniReader& ini) {
    std::string folder = ini.getKeyValue(kDocumentKey, kDocumentSection);
    if (folder.empty()) folder = ini.getKeyValue(kDownloaderKey, kDownloaderSection);
    return folder;
}

std::string DataFolderOf(const CInstallPaths& paths, CIniReader& ini) {
    std::string folder = StoredDataFolder(ini);
    if (folder.empty()) return paths.ProgramFolder() + "Data/";
    if (folder.front() != '/') folder = paths.ProgramFolder() + folder;
    return WithTrailingSlash(folder);
}

std::string DataFolderProblem(const std::string& folder) {
    if (folder.empty()) return "No folder is named.";
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error))
        return "The folder " + folder + " does not exist and cannot be made.";
    // Permissions say little (root, ACLs, read-only mounts): only a file made there tells.
    const fs::path probe = fs::path(folder) / ".zentristock-write-test";
    {
        std::ofstream file(probe, std::ios::binary | std::ios::trunc);
        file << "x";
        file.flush();
        if (!file) {
            file.close();
            fs::remove(probe, error);
            return "The folder " + folder + " cannot be written to.";
        }
    }
    if (!fs::remove(probe, error) || error)
        return "The folder " + folder + " keeps no file that is removed from it.";
    return {};
}

bool WriteDataFolder(CIniReader& ini, const std::string& folder) {
    bool ok = static_cast<bool>(ini.Write({{kDocumentKey, folder}}, kDocumentSection));
    return static_cast<bool>(ini.Write({{kDownloaderKey, folder}}, kDownloaderSection)) && ok;
}
