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

fs::path AbsoluteNormal(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path), error);
    if (error) absolute = fs::path(path);
    return absolute.lexically_normal();
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
    fs::path folder = AbsoluteNormal(dataFolder);
    if (!folder.has_filename()) folder = folder.parent_path();
    fs::path file = AbsoluteNormal(path);
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
