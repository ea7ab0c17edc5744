#include "DataFileList.h"
#include <algorithm>
#include <chrono>
#include <filesystem>

namespace {
bool EndsWith(const std::string& text, const char* tail) {
    const std::string suffix(tail);
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
} // namespace

std::vector<SDataFile> ListDataFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<SDataFile> files;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) return files;
    for (const fs::directory_entry& entry : it) {
        std::error_code ignored;
        if (!entry.is_regular_file(ignored)) continue;
        const std::string name = entry.path().filename().string();
        if (!EndsWith(name, ".csv") && !EndsWith(name, ".txt")) continue;
        SDataFile file;
        file.name = name;
        file.size = entry.file_size(ignored);
        const auto written = entry.last_write_time(ignored);
        // The file clock's epoch is the library's own: measure from now on both clocks.
        const auto system = std::chrono::system_clock::now() +
                            std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                written - fs::file_time_type::clock::now());
        file.modified =
            std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
        files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(),
              [](const SDataFile& a, const SDataFile& b) { return a.name < b.name; });
    return files;
}

std::string SymbolOfDataFile(const std::string& name) {
    if (EndsWith(name, ".csv")) return name.substr(0, name.size() - 4);
    return name;
}
