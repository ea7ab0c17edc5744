#include "ProgramFolder.h"
#include "WritableHome.h"
#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace {
std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

// Chosen once per run: the fill happens on the first call.
const SHomeChoice& InstalledChoice() {
    static const SHomeChoice choice = [] {
        SHomeEnvironment environment = SHomeEnvironment::OfProcess();
        environment.zentristockHome.clear();
        return ChooseProgramFolder(ExecutableFolder(), environment);
    }();
    return choice;
}
} // namespace

std::string ExecutableFolder() {
    std::string path = ExecutablePath();
    if (path.empty()) return "./";
    return path.substr(0, path.find_last_of('/') + 1);
}

std::string ExecutableName() {
    std::string path = ExecutablePath();
    if (path.empty()) return "zentristock";
    return path.substr(path.find_last_of('/') + 1);
}

std::string ProgramFolder() {
    const char* home = std::getenv("ZENTRISTOCK_HOME");
    if (home && *home) return WithTrailingSlash(home);
    return InstalledChoice().folder;
}

std::string ProgramFolderProblem() {
    const char* home = std::getenv("ZENTRISTOCK_HOME");
    if (home && *home) return {};
    return InstalledChoice().problem;
}
