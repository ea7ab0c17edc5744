#include "QuoteSourceSettings.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return text;
}

bool StartsWithNoCase(const std::string& text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           Lower(text.substr(0, prefix.size())) == Lower(std::string(prefix));
}

std::string Find(const std::map<std::string, std::string>& map, const std::string& key) {
    auto it = map.find(key);
    return it == map.end() ? std::string() : it->second;
}

// Readable and writable by the owner only; the atomic writer keeps the mode of the file it
// replaces.
CFileResult MakePrivate(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return CFileResult::Failure(CFileResult::EKind::CannotWrite,
                                    "cannot open " + path + ": " + std::strerror(errno));
    const int changed = ::fchmod(fd, 0600);
    ::close(fd);
    if (changed != 0)
        return CFileResult::Failure(CFileResult::EKind::CannotWrite,
                                    "cannot restrict " + path + ": " + std::strerror(errno));
    return {};
}
} // namespace

bool SQuoteSourceSettings::IsKnownSource(std::string_view name) {
    return std::find(kSources.begin(), kSources.end(), name) != kSources.end();
}

SQuoteSourceSettings SQuoteSourceSettings::Read(CIniReader& ini) {
    SQuoteSourceSettings s;
    const std::string server = ini.getKeyValue("QuoteServer", "DOWNLOAD");
    if (!server.empty()) s.yahooServer = server;
    const std::string source = ini.getKeyValue("Source", kSection);
    if (!source.empty())
        s.source = Lower(source);
    else if (!server.empty())
        s.source = "yahoo";
    if (const auto* lines = ini.getSectionData(kSection)) {
        for (const std::string& line : *lines) {
            const size_t equals = line.find('=');
            if (equals == std::string::npos) continue;
            const std::string key = line.substr(0, equals);
            if (StartsWithNoCase(key, "Suffix_") && key.size() > 7)
                s.suffixes[Upper(key.substr(7))] = ini.getKeyValue(key, kSection);
        }
    }
    for (std::string_view name : kSources) {
        const std::string n(name);
        if (std::string key = ini.getKeyValue("ApiKey_" + n, kSection); !key.empty())
            s.apiKeys[n] = key;
        if (n == "yahoo") continue;
        if (std::string address = ini.getKeyValue("BaseAddress_" + n, kSection); !address.empty())
            s.baseAddresses[n] = address;
    }
    return s;
}

CFileResult SQuoteSourceSettings::Write(CIniReader& ini) const {
    CIniReader::KeyValues values = {{"Source", source}};
    bool holdsKey = false;
    for (std::string_view name : kSources) {
        const std::string n(name);
        const std::string key = ApiKey(n);
        holdsKey = holdsKey || !key.empty();
        values.push_back({"ApiKey_" + n, key});
        if (n != "yahoo") values.push_back({"BaseAddress_" + n, BaseAddress(n)});
    }
    for (const auto& [market, suffix] : suffixes) values.push_back({"Suffix_" + market, suffix});
    if (holdsKey) {
        if (CFileResult made = MakePrivate(ini.getINIFileName()); !made) return made;
    }
    if (CFileResult written = ini.Write(values, kSection); !written) return written;
    return ini.Write({{"QuoteServer", yahooServer}}, "DOWNLOAD");
}

std::string SQuoteSourceSettings::ApiKey(const std::string& name) const {
    return Find(apiKeys, name);
}

std::string SQuoteSourceSettings::BaseAddress(const std::string& name) const {
    if (name == "yahoo") return yahooServer;
    return Find(baseAddresses, name);
}

std::string SQuoteSourceSettings::Suffix(const std::string& name, const std::string& market) const {
    if (auto it = suffixes.find(Upper(market)); it != suffixes.end()) return it->second;
    const std::string code = Upper(market);
    if (name == "stooq" && (code == "NYSE" || code == "NASDAQ" || code == "AMEX")) return ".us";
    return {};
}
