#include "SnapField.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/StringTable.h"
#include "settings/CInstallPaths.h"
#include <algorithm>
#include <array>

namespace SnapField {
namespace {
constexpr std::array<const char*, 4> kCodes = {kOpen, kHigh, kLow, kClose};
constexpr unsigned kFirstPriceText = 47;
} // namespace

std::string FromStored(std::string_view stored, const std::string& languageFolder) {
    if (stored.empty() || PriceIndex(stored) >= 0) return std::string(stored);
    for (unsigned i = 0; i < kCodes.size(); ++i) {
        const char* builtIn = BuiltInString(kFirstPriceText + i);
        if (builtIn && stored == builtIn) return kCodes[i];
        const auto translated = CLanguage::TranslateString(kFirstPriceText + i);
        if (translated && stored == *translated) return kCodes[i];
    }
    for (unsigned i = 0; i < kCodes.size(); ++i) {
        const auto texts = CLanguage::StringInEveryFile(kFirstPriceText + i, languageFolder);
        if (std::find(texts.begin(), texts.end(), stored) != texts.end()) return kCodes[i];
    }
    return std::string(stored);
}

std::string FromStored(std::string_view stored) {
    if (stored.empty() || PriceIndex(stored) >= 0) return std::string(stored);
    std::string folder = CLanguage::GetFolder();
    if (folder.empty()) folder = CInstallPaths::OfProgram().LanguageFolder();
    return FromStored(stored, folder);
}

int PriceIndex(std::string_view code) {
    for (unsigned i = 0; i < kCodes.size(); ++i)
        if (code == kCodes[i]) return static_cast<int>(i);
    return -1;
}
} // namespace SnapField
