#pragma once
#include "SImportRequest.h"
#include "formset/SFieldError.h"
#include <optional>
#include <string>
#include <vector>

class CMarketList;

// What the import dialog edits: the market (a code of market.txt or a name typed), whether
// the market's ticker suffix is added to the file names, whether imported days replace the
// quote files' days, and the MetaStock files picked. Accepted, it gives the importer its
// request and the settings their new "OtherMarket" and "ImportPath".
class CImportChoice {
public:
    // Control identifiers of the fields its refusals name.
    static constexpr unsigned kMarketId = 1001;
    static constexpr unsigned kFilesId = 1004;

    CImportChoice() = default;
    // `otherMarket` and `importPath` are the settings as read; the market shown first is the
    // one last typed, else the first listed.
    CImportChoice(const CMarketList& markets, std::string dataFolder, std::string otherMarket,
                  std::string importPath);
    CImportChoice(std::vector<std::string> codes, std::vector<std::string> suffixes,
                  std::string dataFolder, std::string otherMarket, std::string importPath,
                  std::vector<std::string> fullNames = {});

    const std::vector<std::string>& Codes() const { return m_codes; }
    // The market as chosen or typed, without surrounding blanks.
    std::string Market() const;
    void SetMarket(std::string market) { m_market = std::move(market); }
    // Whether the market is one of market.txt.
    bool Listed() const;
    // The suffix and full name of the market in market.txt ("" for a typed market).
    std::string MarketSuffix() const;
    std::string MarketFullName() const;

    bool addSuffix = false;
    bool replaceExisting = false;

    // The files picked; their folder becomes the import path.
    void SetFiles(std::vector<std::string> files);
    const std::vector<std::string>& Files() const { return m_files; }
    // "%d files selected." (559), "Too many files selected. ..." (560) above the importer's
    // limit, or "No EOD DATA Selected." when there is none.
    std::string FilesText() const;
    // Where the file dialog starts.
    const std::string& ImportPath() const { return m_importPath; }
    // The market name to remember: a typed one, else the one remembered before.
    std::string OtherMarket() const;

    // The first field refused: no market, a market or suffix that cannot be a name, no file
    // (or too many).
    std::optional<SFieldError> Validate() const;
    // What the importer is given.
    SImportRequest Request() const;

    // Field names as the refusals give them.
    static constexpr const char* kMarketField = "Market";
    static constexpr const char* kFilesField = "Files";

private:
    SImportOptions Options() const;

    std::vector<std::string> m_codes;
    std::vector<std::string> m_suffixes;
    std::vector<std::string> m_fullNames;
    std::string m_dataFolder;
    std::string m_otherMarket;
    std::string m_importPath;
    std::string m_market;
    std::vector<std::string> m_files;
};

// A file-dialog filter of the form "Text (*.txt)|*.txt|All Files (*.*)|*.*|" (text 514) in
// Qt's form: "Text (*.txt);;All Files (*)". A description without its patterns gets them
// in parentheses; ";" between patterns becomes a blank; a last description without patterns
// is dropped; "*.*" becomes "*", which matches every name here. No usable pair gives
// "All Files (*)".
std::string QtFileFilter(const std::string& filter);
