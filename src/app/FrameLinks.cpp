#include "FrameLinks.h"
#include "FrameCommands.h"
#include "download/QuoteQuery.h"
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

std::optional<std::string> ConfiguredAddress(unsigned command, const SDownloadSettings& settings) {
    switch (command) {
    case kCmdVisitHomePage:
        return settings.homePage;
    case kCmdVisitForum:
        return settings.forum;
    case kCmdRealTimeMarket:
        return settings.realTime;
    default:
        return std::nullopt;
    }
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower((unsigned char)a) == std::tolower((unsigned char)b);
           });
}

std::string ReplaceSymbol(std::string address, const std::string& symbol) {
    const std::string encoded = UrlEncode(symbol);
    for (size_t at = address.find("%s"); at != std::string::npos; at = address.find("%s", at)) {
        address.replace(at, 2, encoded);
        at += encoded.size();
    }
    return address;
}

} // namespace

bool IsWebAddress(const std::string& address) {
    for (const std::string scheme : {"http://", "https://"})
        if (StartsWithNoCase(address, scheme)) return address.size() > scheme.size();
    return false;
}

SFrameLink WebLink(unsigned command, const SDownloadSettings& settings, const std::string& symbol) {
    std::optional<std::string> address = ConfiguredAddress(command, settings);
    if (!address || address->empty()) return {};
    if (!IsWebAddress(*address)) return {"", "The address " + *address + " is not a web address."};
    if (command == kCmdRealTimeMarket) return {ReplaceSymbol(*address, symbol), ""};
    return {*address, ""};
}

bool IsShown(unsigned command, const SDownloadSettings& settings) {
    std::optional<std::string> address = ConfiguredAddress(command, settings);
    return !address || !address->empty();
}

SFrameLink HelpLink(const CInstallPaths& paths) {
    const std::string index = paths.HelpIndex();
    std::error_code error;
    if (std::filesystem::is_regular_file(index, error)) return {index, ""};
    return {"", "The help file " + index + " cannot be found."};
}
