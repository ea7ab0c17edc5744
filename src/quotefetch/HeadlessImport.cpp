#include "HeadlessImport.h"
#include "MetaStockImporter.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/CMarketList.h"
#include "settings/DataFolder.h"
#include <algorithm>
#include <iostream>

namespace {
constexpr int kAllImported = 0;
constexpr int kSomeFailed = 1;
constexpr int kBadOptions = 3;

class CStreamImportLog : public CImportLog {
public:
    explicit CStreamImportLog(std::ostream& stream) : m_stream(stream) {}
    void Line(const std::string& text) override { m_stream << text << '\n'; }

private:
    std::ostream& m_stream;
};

const char* const kUsage = "usage: quotefetch --import FILE... --market M [--suffix] [--replace]";
} // namespace

int RunHeadlessImport(const CInstallPaths& paths, const std::vector<std::string>& words,
                      std::ostream& out, std::ostream& err) {
    if (words.empty() || words[0] != "--import") {
        err << kUsage << '\n';
        return kBadOptions;
    }
    std::vector<std::string> files;
    std::string market;
    bool haveMarket = false, addSuffix = false, replace = false, onlyFiles = false;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (onlyFiles || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            files.push_back(word);
        } else if (word == "--") {
            onlyFiles = true;
        } else if (word == "--market") {
            if (i + 1 == words.size()) {
                err << "--market needs a market name.\n" << kUsage << '\n';
                return kBadOptions;
            }
            market = words[++i];
            haveMarket = true;
        } else if (word == "--suffix") {
            addSuffix = true;
        } else if (word == "--replace") {
            replace = true;
        } else {
            err << "Unknown option " << word << ".\n" << kUsage << '\n';
            return kBadOptions;
        }
    }
    if (files.empty()) {
        err << CLanguage::TranslateText(MetaStockImporter::kNoFilesText,
                                        MetaStockImporter::kNoFilesText)
            << '\n';
        return kBadOptions;
    }
    if (!haveMarket) {
        err << "No market given: --market M.\n" << kUsage << '\n';
        return kBadOptions;
    }

    CIniReader ini(paths.SetupIni());
    SImportOptions options;
    options.dataFolder = DataFolderOf(paths, ini);
    options.market = market;
    options.replaceExisting = replace;
    if (addSuffix) {
        CMarketList markets;
        CFileResult loaded = markets.Load(paths.MarketList());
        const std::string* suffix = loaded ? markets.SuffixOf(market) : nullptr;
        const auto& refused = markets.RefusedSuffixes();
        if (!loaded) {
            err << "The market list " << paths.MarketList()
                << " cannot be read: " << loaded.message() << ".\n";
            return kBadOptions;
        }
        if (!suffix) {
            err << "The market " << market << " is not in " << paths.MarketList()
                << ": it has no suffix to add.\n";
            return kBadOptions;
        }
        if (std::find(refused.begin(), refused.end(), market) != refused.end()) {
            err << "The suffix of the market " << market << " in " << paths.MarketList()
                << " cannot be part of a file name.\n";
            return kBadOptions;
        }
        options.suffix = *suffix;
    }

    CDiskQuoteFileStore store;
    CStreamImportLog log(err);
    MetaStockImporter importer(store, log);
    if (!importer.ImportFiles(files, options)) return kBadOptions;
    int status = kAllImported;
    for (const SImportFileReport& report : importer.Reports()) {
        out << report.file << ',' << ImportFileResultName(report.result) << ','
            << report.counts.added << ',' << report.counts.replaced << ',' << report.counts.kept
            << ',' << report.counts.skipped << ',' << report.badLines << '\n';
        if (report.result != EImportFileResult::Imported) status = kSomeFailed;
    }
    out.flush();
    return status;
}

int RunHeadlessImport(const CInstallPaths& paths, const std::vector<std::string>& words) {
    return RunHeadlessImport(paths, words, std::cout, std::cerr);
}
