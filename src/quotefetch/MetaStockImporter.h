#pragma once
#include "CImportLog.h"
#include "CQuoteFileStore.h"
#include "FixedTexts.h"
#include "quotes/QuoteDayMerge.h"
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What an import is told: where the quote files go and how they are merged.
struct SImportOptions {
    std::string dataFolder;       // the quote data folder, ending in "/"
    std::string market;           // a market code of market.txt or a typed market name
    std::string suffix;           // appended to every ticker's file name; "" unless "add suffix"
    bool replaceExisting = false; // an imported day replaces the file's line of that day
};

enum class EImportFileResult {
    Imported,      // at least one day imported and every quote file written
    CannotOpen,    // 555
    Empty,         // 550: no line at all, or a header and no data line
    UnknownFormat, // 551
    NoData,        // every data line was refused
    NotWritten,    // a quote file could not be written or was not a CSV quote file
};

// "imported", "cannot-open", "empty", "unknown-format", "no-data", "not-written".
const char* ImportFileResultName(EImportFileResult result);

struct SImportFileReport {
    std::string file;
    EImportFileResult result = EImportFileResult::CannotOpen;
    SQuoteDayMergeCounts counts;         // over the quote files written
    size_t badLines = 0;                 // lines refused (552) or of a ticker refused as a name
    std::vector<std::string> quoteFiles; // the quote files written, in the order of the file
};

// Imports MetaStock ASCII end-of-day files ("<TICKER>,<PER>,<DTYYYYMMDD>,<OPEN>,..." or
// headerless lines of 7 or 8 fields) into the CSV quote files
// `<data folder><market>/<ticker><suffix>.csv`, merged by day with what those files hold.
// Every message goes to the log, in the words of the string table (translated).
class MetaStockImporter {
public:
    // Above this many files an import is refused (560).
    static constexpr size_t kMaxFiles = 10000;
    // Shown when an import is given no file.
    static constexpr const char* kNoFilesText = kNoEodDataSelected;

    MetaStockImporter(CQuoteFileStore& store, CImportLog& log) : m_store(store), m_log(log) {}

    // Empty when the options can be used, else why not (the market or suffix cannot be part
    // of a path, no data folder).
    static std::string OptionsProblem(const SImportOptions& options);

    // The whole import: no files, too many files (560) or unusable options log the reason
    // and import nothing (false). Otherwise 559 with the count, each file in turn (557, its
    // messages, `step` with the number of files done), and 558 at the end (true), also
    // when some file failed: Reports() tells which. `cancelled`, tested between files, ends
    // the import early.
    bool ImportFiles(const std::vector<std::string>& paths, const SImportOptions& options,
                     const std::function<void(size_t done)>& step = {},
                     const std::function<bool()>& cancelled = {});

    // One file read from the store (555 when it cannot be read).
    SImportFileReport ImportFile(const std::string& path, const SImportOptions& options);
    // One file's bytes; `name` is the file named in the messages.
    SImportFileReport ImportBytes(const std::string& name, std::string_view bytes,
                                  const SImportOptions& options);

    // One report per file of the last ImportFiles.
    const std::vector<SImportFileReport>& Reports() const { return m_reports; }

private:
    struct STickerLines;
    bool WriteTicker(STickerLines& ticker, const SImportOptions& options,
                     SImportFileReport& report);

    CQuoteFileStore& m_store;
    CImportLog& m_log;
    std::vector<SImportFileReport> m_reports;
};
