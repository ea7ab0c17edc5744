#pragma once
// The stored files that save_loop writes over and over, each version carrying its number, and
// how the test reads a version back through the program's own readers.
#include "chart/CChartFile.h"
#include "chart/CChartTemplate.h"
#include "ctlkit/base/CIniReader.h"
#include "download/CFavourites.h"
#include "quotes/CStock.h"
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace save_loop {
enum class EFile { Chart, Template, QuoteExport, Favourites, Setup };
inline constexpr std::array<EFile, 5> kFiles = {EFile::Chart, EFile::Template, EFile::QuoteExport,
                                                EFile::Favourites, EFile::Setup};
// Enough quotes that a save takes a while and a kill can land inside it.
inline constexpr int kQuotes = 1500;

inline const char* NameOf(EFile file) {
    switch (file) {
    case EFile::Chart:
        return "Charts/loop.cht";
    case EFile::Template:
        return "Template/loop.tmp";
    case EFile::QuoteExport:
        return "Data/sh/600000.csv";
    case EFile::Favourites:
        return "Favourites/Loop/list.dat";
    case EFile::Setup:
        return "setup.ini";
    }
    return "";
}

// Daily quotes whose oldest close is `version`.
inline std::vector<SQuote> Quotes(int version) {
    std::vector<SQuote> quotes;
    for (int i = 0; i < kQuotes; ++i) {
        SQuote q;
        q.date = 86400 * (11000 + i);
        q.close = static_cast<float>(version) + 0.25f * static_cast<float>(i % 8);
        q.open = q.close;
        q.high = q.close + 1;
        q.low = q.close - 1;
        q.adjClose = q.close;
        q.volume = 5000;
        quotes.push_back(q);
    }
    return quotes;
}

inline CChartTemplate Template(int version) {
    CChartTemplate look;
    look.colours[0] = static_cast<uint32_t>(version);
    return look;
}

inline std::vector<CFavourites::SEntry> Entries(int version) {
    std::vector<CFavourites::SEntry> entries;
    for (int i = 0; i < 40; ++i) entries.push_back({"S" + std::to_string(version), "Name", "sh"});
    return entries;
}

// `folder` with a trailing "/" and its sub-folders made.
inline bool Save(const std::string& folder, EFile file, int version) {
    const std::string path = folder + NameOf(file);
    switch (file) {
    case EFile::Chart: {
        CStock stock;
        const auto quotes = Quotes(version);
        stock.RestoreSeries(quotes, quotes);
        return CChartFile::Save(stock, path).ok();
    }
    case EFile::Template:
        return Template(version).Save(path).ok();
    case EFile::QuoteExport: {
        CStock stock;
        const auto quotes = Quotes(version);
        stock.RestoreSeries(quotes, quotes);
        return stock.ExportCsv(path).ok();
    }
    case EFile::Favourites:
        return CFavourites(folder + "Favourites/").Save("Loop", Entries(version)).ok();
    case EFile::Setup:
        return CIniReader(path)
            .Write({{"Version", std::to_string(version)}, {"Padding", std::string(4000, 'p')}},
                   "Main")
            .ok();
    }
    return false;
}

// The version the file holds, read by the program's reader; nothing when it does not read
// or does not hold what some version was saved as.
inline std::optional<int> VersionIn(const std::string& folder, EFile file) {
    const std::string path = folder + NameOf(file);
    switch (file) {
    case EFile::Chart: {
        std::unique_ptr<CStock> stock;
        if (!CChartFile::Load(path, stock, false) || stock->Base().size() != kQuotes) return {};
        return static_cast<int>(stock->Base().front().close);
    }
    case EFile::Template: {
        CChartTemplate look;
        if (!look.Load(path)) return {};
        return static_cast<int>(look.colours[0]);
    }
    case EFile::QuoteExport: {
        CStock stock;
        stock.SetMaximumQuotes(10000, false);
        const CFileResult read = stock.LoadQuoteFile(path);
        if (!read || stock.Base().size() != kQuotes) return {};
        return static_cast<int>(stock.Base().front().close);
    }
    case EFile::Favourites: {
        std::vector<CFavourites::SEntry> entries;
        if (!CFavourites(folder + "Favourites/").Load("Loop", entries) || entries.size() != 40)
            return {};
        return std::atoi(entries.front().symbol.c_str() + 1);
    }
    case EFile::Setup: {
        const std::string text = CIniReader(path).getKeyValue("Version", "Main");
        if (text.empty()) return {};
        return std::atoi(text.c_str());
    }
    }
    return {};
}
} // namespace save_loop
