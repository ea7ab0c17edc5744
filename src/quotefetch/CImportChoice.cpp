#include "CImportChoice.h"
#include "MetaStockImporter.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/CMarketList.h"
#include <algorithm>
#include <filesystem>

namespace {

constexpr unsigned kFilesSelected = 559;
constexpr unsigned kTooManyFiles = 560;

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string StringText(unsigned id) {
    return CLanguage::TranslateString(id).value_or("");
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

} // namespace

CImportChoice::CImportChoice(const CMarketList& markets, std::string dataFolder,
                             std::string otherMarket, std::string importPath)
    : CImportChoice(markets.Codes(), markets.Suffixes(), std::move(dataFolder),
                    std::move(otherMarket), std::move(importPath), markets.FullNames()) {}

CImportChoice::CImportChoice(std::vector<std::string> codes, std::vector<std::string> suffixes,
                             std::string dataFolder, std::string otherMarket,
                             std::string importPath, std::vector<std::string> fullNames)
    : m_codes(std::move(codes)), m_suffixes(std::move(suffixes)), m_fullNames(std::move(fullNames)),
      m_dataFolder(std::move(dataFolder)), m_otherMarket(std::move(otherMarket)),
      m_importPath(std::move(importPath)) {
    m_suffixes.resize(m_codes.size());
    m_fullNames.resize(m_codes.size());
    m_market = !Trimmed(m_otherMarket).empty() ? Trimmed(m_otherMarket)
               : m_codes.empty()               ? std::string()
                                               : m_codes.front();
}

std::string CImportChoice::Market() const {
    return Trimmed(m_market);
}

bool CImportChoice::Listed() const {
    return std::find(m_codes.begin(), m_codes.end(), Market()) != m_codes.end();
}

std::string CImportChoice::MarketSuffix() const {
    auto it = std::find(m_codes.begin(), m_codes.end(), Market());
    return it == m_codes.end() ? std::string() : m_suffixes[it - m_codes.begin()];
}

std::string CImportChoice::MarketFullName() const {
    auto it = std::find(m_codes.begin(), m_codes.end(), Market());
    return it == m_codes.end() ? std::string() : m_fullNames[it - m_codes.begin()];
}

void CImportChoice::SetFiles(std::vector<std::string> files) {
    m_files = std::move(files);
    if (!m_files.empty()) {
        const std::string folder = std::filesystem::path(m_files.front()).parent_path().string();
        if (!folder.empty()) m_importPath = folder;
    }
}

std::string CImportChoice::FilesText() const {
    if (m_files.empty()) return CLanguage::TranslateText(kNoEodDataSelected, kNoEodDataSelected);
    if (m_files.size() > MetaStockImporter::kMaxFiles) return StringText(kTooManyFiles);
    return FillPlaceholders(StringText(kFilesSelected), {{"%d", std::to_string(m_files.size())}});
}

std::string CImportChoice::OtherMarket() const {
    return Listed() || Market().empty() ? m_otherMarket : Market();
}

SImportOptions CImportChoice::Options() const {
    SImportOptions options;
    options.dataFolder = m_dataFolder;
    options.market = Market();
    options.suffix = addSuffix ? MarketSuffix() : std::string();
    options.replaceExisting = replaceExisting;
    return options;
}

std::optional<SFieldError> CImportChoice::Validate() const {
    if (Market().empty())
        return SFieldError::Make(kMarketId, kMarketField, "EnterMarket",
                                 "%s: please choose or type a market.");
    if (std::string problem = MetaStockImporter::OptionsProblem(Options()); !problem.empty()) {
        SFieldError error;
        error.controlId = kMarketId;
        error.fieldName = kMarketField;
        error.message = std::string(kMarketField) + ": " + problem;
        return error;
    }
    if (m_files.empty() || m_files.size() > MetaStockImporter::kMaxFiles) {
        SFieldError error;
        error.controlId = kFilesId;
        error.fieldName = kFilesField;
        error.message = FilesText();
        return error;
    }
    return std::nullopt;
}

SImportRequest CImportChoice::Request() const {
    return {m_files, Options()};
}

std::string QtFileFilter(const std::string& filter) {
    std::vector<std::string> parts = Split(filter, '|');
    std::string result;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string description = Trimmed(parts[i]);
        std::string patterns = Trimmed(parts[i + 1]);
        if (patterns.empty()) continue;
        std::replace(patterns.begin(), patterns.end(), ';', ' ');
        // "*.*" means every file on the other platform; here it would miss names without a dot.
        if (patterns == "*.*") {
            patterns = "*";
            const std::string dotted = "(*.*)";
            if (description.size() >= dotted.size() &&
                description.compare(description.size() - dotted.size(), dotted.size(), dotted) == 0)
                description.replace(description.size() - dotted.size(), dotted.size(), "(*)");
        }
        // Qt takes the patterns from the entry's last parentheses.
        const std::string own = "(" + patterns + ")";
        std::string entry = description;
        if (entry.size() < own.size() ||
            entry.compare(entry.size() - own.size(), own.size(), own) != 0)
            entry += (entry.empty() ? "" : " ") + own;
        if (!result.empty()) result += ";;";
        result += entry;
    }
    return result.empty() ? "All Files (*)" : result;
}
