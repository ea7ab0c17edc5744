#include "QuoteFileLocation.h"
#include "ctlkit/base/SafeName.h"
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
// A name from outside, fit to be shown in a message.
std::string Printable(const std::string& name) {
    std::string shown;
    for (unsigned char c : name.substr(0, 80)) shown += (c < 0x20 || c == 0x7F) ? '?' : c;
    return shown;
}

bool EndsWithQuoteExtension(const std::string& symbol) {
    if (symbol.size() < 4) return false;
    std::string tail = symbol.substr(symbol.size() - 4);
    return tail == ".txt" || tail == ".csv";
}

CFileResult MakeFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {};
        errno = ENOTDIR;
    }
    return CFileResult::Failure(CFileResult::EKind::CannotWrite,
                                "The folder " + folder +
                                    " cannot be created: " + std::strerror(errno));
}

CFileResult CheckMarket(const std::string& market) {
    if (IsSafePathPart(market)) return {};
    return CFileResult::Failure(CFileResult::EKind::UnsafeName,
                                "The market code \"" + Printable(market) +
                                    "\" cannot be used as a folder name.");
}

// The path as the file system resolves it: every symbolic link of the part that exists
// followed, "." and ".." taken where they stand; the part that does not exist yet is taken by
// its text. A link whose target is missing still leads to that target. False when the path
// cannot be resolved (a loop of links, a folder that cannot be searched).
bool RealPath(const std::string& path, fs::path& real) {
    constexpr int kMostLinks = 40; // as the kernel's own limit
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path), error);
    if (error) return false;
    for (int hops = 0;; ++hops) {
        real = fs::weakly_canonical(absolute, error);
        if (error) return false;
        if (!fs::is_symlink(fs::symlink_status(real, error))) return true;
        // Only a link whose target is missing is left unresolved here.
        if (hops == kMostLinks) return false;
        fs::path target = fs::read_symlink(real, error);
        if (error) return false;
        absolute = target.is_absolute() ? target : real.parent_path() / target;
    }
}
} // namespace

CFileResult LocateQuoteFile(const std::string& dataFolder, const std::string& market,
                            const std::string& symbol, SQuoteFileLocation& location) {
    if (CFileResult marketOk = CheckMarket(market); !marketOk) return marketOk;
    bool hasExtension = EndsWithQuoteExtension(symbol);
    std::string bare = hasExtension ? symbol.substr(0, symbol.size() - 4) : symbol;
    if (!IsSafePathPart(symbol) || bare.empty())
        return CFileResult::Failure(CFileResult::EKind::UnsafeName,
                                    "The stock symbol \"" + Printable(symbol) +
                                        "\" cannot be used as a file name.");
    location.path = dataFolder + market + "/" + (hasExtension ? symbol : symbol + ".csv");
    location.symbol = bare;
    return {};
}

CFileResult EnsureMarketFolder(const std::string& dataFolder, const std::string& market) {
    if (CFileResult marketOk = CheckMarket(market); !marketOk) return marketOk;
    if (CFileResult data = MakeFolder(dataFolder); !data) return data;
    return MakeFolder(dataFolder + market);
}

bool IsInsideDataFolder(const std::string& dataFolder, const std::string& path,
                        std::string* resolved) {
    if (path.empty()) return false;
    fs::path folder, file;
    if (!RealPath(dataFolder, folder) || !RealPath(path, file)) return false;
    if (!folder.has_filename()) folder = folder.parent_path();
    auto p = file.begin();
    for (const fs::path& part : folder) {
        if (p == file.end() || *p != part) return false;
        ++p;
    }
    // Something must follow the folder itself, and not an empty trailing part.
    if (p == file.end() || p->empty()) return false;
    if (resolved) *resolved = file.string();
    return true;
}
