#include "MetaStockImporter.h"
#include "ctlkit/base/SafeName.h"
#include "ctlkit/lang/CLanguage.h"
#include "quotes/LocalDate.h"
#include "quotes/QuoteLineDate.h"
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <unordered_map>

namespace {
// The texts of the string table by identifier.
enum : unsigned {
    kUnexpectedEnd = 550,
    kUnknownFormat = 551,
    kDataError = 552,
    kNoHeader7 = 553,
    kNoHeader8 = 554,
    kCannotOpen = 555,
    kFolderCreated = 556,
    kNowImporting = 557,
    kImportFinished = 558,
    kFilesSelected = 559,
    kTooManyFiles = 560,
    kCannotSave = 510,
};

std::string Text(unsigned id) {
    return CLanguage::TranslateString(id).value_or("");
}

// Each "%d" or "%s" of `pattern` takes the next argument, already as text; a translated text
// never reaches printf, so a stray "%n" or a missing argument is harmless.
std::string Format(std::string_view pattern, std::initializer_list<std::string> args) {
    std::string out;
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == 'd' || pattern[i + 1] == 's')) {
            if (next != args.end()) out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string Number(size_t n) {
    return std::to_string(n);
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Splits at commas into `fields` (reused between lines).
void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    size_t start = 0;
    while (true) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

// Column positions of ticker, date, open, high, low, close and volume.
struct SColumns {
    enum { kTicker, kDate, kOpen, kHigh, kLow, kClose, kVolume, kCount };
    int at[kCount] = {-1, -1, -1, -1, -1, -1, -1};
    size_t needed = 0; // fields a data line must have

    bool Complete() {
        int highest = -1;
        for (int column : at) {
            if (column < 0) return false;
            highest = std::max(highest, column);
        }
        needed = static_cast<size_t>(highest) + 1;
        return true;
    }
};

// The header's titles, compared without regard to letter case; other titles are ignored.
SColumns ColumnsOfHeader(const std::vector<std::string_view>& titles) {
    struct STitle {
        std::string_view title;
        int column;
    };
    static constexpr STitle kTitles[] = {
        {"<ticker>", SColumns::kTicker}, {"<date>", SColumns::kDate},
        {"<yyyymmdd>", SColumns::kDate}, {"<dtyyyymmdd>", SColumns::kDate},
        {"<open>", SColumns::kOpen},     {"<high>", SColumns::kHigh},
        {"<low>", SColumns::kLow},       {"<close>", SColumns::kClose},
        {"<vol>", SColumns::kVolume},    {"<volume>", SColumns::kVolume},
    };
    SColumns columns;
    for (size_t i = 0; i < titles.size(); ++i) {
        std::string_view title = Trimmed(titles[i]);
        for (const STitle& known : kTitles)
            if (columns.at[known.column] < 0 && EqualsNoCase(title, known.title))
                columns.at[known.column] = static_cast<int>(i);
    }
    return columns;
}

SColumns ColumnsInOrder(int first) {
    SColumns columns;
    for (int i = 0; i < SColumns::kCount; ++i) columns.at[i] = i == 0 ? 0 : first + i - 1;
    return columns;
}

// A number as the C locale reads it, the whole field, finite.
bool IsNumber(std::string_view field) {
    field = Trimmed(field);
    if (field.empty()) return false;
    if (field.front() == '+') field.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size() && std::isfinite(value);
}

// yyyymmdd of a real calendar day.
bool ReadDate(std::string_view field, int& year, int& month, int& day) {
    if (field.size() != 8) return false;
    int digits[8];
    for (int i = 0; i < 8; ++i) {
        if (field[i] < '0' || field[i] > '9') return false;
        digits[i] = field[i] - '0';
    }
    year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    month = digits[4] * 10 + digits[5];
    day = digits[6] * 10 + digits[7];
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

// The years the two-digit form of the quote files holds.
bool IsStorableYear(int year) {
    return year >= 1950 && year <= 2049;
}

void AppendNumber(std::string& out, int value) {
    char buffer[16];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error;
    out.append(buffer, end);
}

// "%d-%s-%02d,%s,%s,%s,%s,%s,%s": day, month name, two-digit year, open, high, low, close,
// volume and the close again as the adjusted close, the numbers as they were read.
void AppendQuoteLine(std::string& out, int year, int month, int day,
                     const std::vector<std::string_view>& fields, const SColumns& columns) {
    AppendNumber(out, day);
    out += '-';
    out += kQuoteMonthNames[month - 1];
    out += '-';
    int yy = year % 100;
    out += static_cast<char>('0' + yy / 10);
    out += static_cast<char>('0' + yy % 10);
    for (int column : {SColumns::kOpen, SColumns::kHigh, SColumns::kLow, SColumns::kClose,
                       SColumns::kVolume, SColumns::kClose}) {
        out += ',';
        out += Trimmed(fields[columns.at[column]]);
    }
}
} // namespace

const char* ImportFileResultName(EImportFileResult result) {
    switch (result) {
    case EImportFileResult::Imported:
        return "imported";
    case EImportFileResult::CannotOpen:
        return "cannot-open";
    case EImportFileResult::Empty:
        return "empty";
    case EImportFileResult::UnknownFormat:
        return "unknown-format";
    case EImportFileResult::NoData:
        return "no-data";
    case EImportFileResult::NotWritten:
        return "not-written";
    }
    return "";
}

// The lines of one ticker, in the order of the file, in one buffer.
struct MetaStockImporter::STickerLines {
    std::string ticker;
    std::string text;
    std::vector<std::pair<size_t, size_t>> spans; // offset and length of each line
};

std::string MetaStockImporter::OptionsProblem(const SImportOptions& options) {
    if (options.dataFolder.empty()) return "No data folder is set.";
    if (!IsSafePathPart(options.market))
        return "The market \"" + options.market + "\" cannot be used as a folder name.";
    if (!options.suffix.empty() && !IsSafePathPart(options.suffix))
        return "The suffix \"" + options.suffix + "\" cannot be part of a file name.";
    return {};
}

bool MetaStockImporter::ImportFiles(const std::vector<std::string>& paths,
                                    const SImportOptions& options,
                                    const std::function<void(size_t)>& step,
                                    const std::function<bool()>& cancelled) {
    m_reports.clear();
    if (paths.empty()) {
        m_log.Line(CLanguage::TranslateText(kNoFilesText, kNoFilesText));
        return false;
    }
    if (paths.size() > kMaxFiles) {
        m_log.Line(Text(kTooManyFiles));
        return false;
    }
    if (std::string problem = OptionsProblem(options); !problem.empty()) {
        m_log.Line(problem);
        return false;
    }
    m_log.Line(Format(Text(kFilesSelected), {Number(paths.size())}));
    for (size_t i = 0; i < paths.size(); ++i) {
        if (cancelled && cancelled()) break;
        m_log.Line(Format(Text(kNowImporting), {paths[i]}));
        m_reports.push_back(ImportFile(paths[i], options));
        if (step) step(i + 1);
    }
    m_log.Line(Text(kImportFinished));
    return true;
}

SImportFileReport MetaStockImporter::ImportFile(const std::string& path,
                                                const SImportOptions& options) {
    std::string bytes;
    if (!m_store.Read(path, bytes)) {
        m_log.Line(Format(Text(kCannotOpen), {path}));
        SImportFileReport report;
        report.file = path;
        report.result = EImportFileResult::CannotOpen;
        return report;
    }
    return ImportBytes(path, bytes, options);
}

SImportFileReport MetaStockImporter::ImportBytes(const std::string& name, std::string_view bytes,
                                                 const SImportOptions& options) {
    SImportFileReport report;
    report.file = name;
    if (std::string problem = OptionsProblem(options); !problem.empty()) {
        m_log.Line(problem);
        report.result = EImportFileResult::NotWritten;
        return report;
    }
    std::vector<STickerLines> tickers;
    std::unordered_map<std::string, size_t> tickerIndex;
    std::unordered_map<std::string, bool> refusedTickers;
    std::vector<std::string_view> fields;
    SColumns columns;
    bool haveColumns = false;
    bool sawLine = false;
    size_t lineNumber = 0;
    size_t start = 0;
    size_t lastTicker = SIZE_MAX;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (Trimmed(line).empty()) continue;
        SplitFields(line, fields);
        if (!sawLine) {
            sawLine = true;
            if (Trimmed(line).front() == '<') {
                columns = ColumnsOfHeader(fields);
                if (!columns.Complete()) break;
                haveColumns = true;
                continue;
            }
            if (fields.size() != 7 && fields.size() != 8) break;
            m_log.Line(Text(fields.size() == 7 ? kNoHeader7 : kNoHeader8));
            columns = ColumnsInOrder(fields.size() == 7 ? 1 : 2);
            columns.Complete();
            haveColumns = true;
        }
        int year = 0, month = 0, day = 0;
        bool good = fields.size() >= columns.needed &&
                    ReadDate(Trimmed(fields[columns.at[SColumns::kDate]]), year, month, day);
        for (int column : {SColumns::kOpen, SColumns::kHigh, SColumns::kLow, SColumns::kClose,
                           SColumns::kVolume})
            good = good && IsNumber(fields[columns.at[column]]);
        if (good && !IsStorableYear(year)) {
            m_log.Line(Format(CLanguage::TranslateText(
                                  "ImportDateOutOfRange",
                                  "The quote of %s in line %d of file %s cannot be stored: quote "
                                  "files hold the years 1950 to 2049 only."),
                              {std::string(Trimmed(fields[columns.at[SColumns::kDate]])),
                               Number(lineNumber), name}));
            ++report.badLines;
            continue;
        }
        std::string_view ticker = good ? Trimmed(fields[columns.at[SColumns::kTicker]]) : "";
        if (!good || ticker.empty()) {
            m_log.Line(Format(Text(kDataError), {Number(lineNumber), name}));
            ++report.badLines;
            continue;
        }
        if (lastTicker == SIZE_MAX || tickers[lastTicker].ticker != ticker) {
            std::string key(ticker);
            auto found = tickerIndex.find(key);
            if (found != tickerIndex.end()) {
                lastTicker = found->second;
            } else {
                // The ticker names the quote file: it must be a name, nothing more.
                std::string fileName = key + options.suffix + ".csv";
                if (!IsSafePathPart(key) || !IsSafePathPart(fileName)) {
                    if (refusedTickers.emplace(key, true).second)
                        m_log.Line(Format(CLanguage::TranslateText(
                                              "ImportUnsafeTicker",
                                              "The ticker \"%s\" in line %d of file %s cannot be "
                                              "a file name: its lines are not imported."),
                                          {key, Number(lineNumber), name}));
                    ++report.badLines;
                    lastTicker = SIZE_MAX;
                    continue;
                }
                lastTicker = tickers.size();
                tickerIndex.emplace(key, lastTicker);
                tickers.push_back({key, {}, {}});
            }
        }
        STickerLines& lines = tickers[lastTicker];
        size_t offset = lines.text.size();
        AppendQuoteLine(lines.text, year, month, day, fields, columns);
        lines.spans.emplace_back(offset, lines.text.size() - offset);
    }
    if (!sawLine || (haveColumns && tickers.empty() && report.badLines == 0)) {
        m_log.Line(Text(kUnexpectedEnd));
        report.result = EImportFileResult::Empty;
        return report;
    }
    if (!haveColumns) {
        m_log.Line(Text(kUnknownFormat));
        report.result = EImportFileResult::UnknownFormat;
        return report;
    }
    if (tickers.empty()) {
        report.result = EImportFileResult::NoData;
        return report;
    }
    report.result = EImportFileResult::Imported;
    for (STickerLines& ticker : tickers)
        if (!WriteTicker(ticker, options, report)) report.result = EImportFileResult::NotWritten;
    return report;
}

bool MetaStockImporter::WriteTicker(STickerLines& ticker, const SImportOptions& options,
                                    SImportFileReport& report) {
    const std::string folder = options.dataFolder + options.market + "/";
    if (!m_store.FolderExists(folder)) {
        if (!m_store.CreateFolder(folder)) {
            m_log.Line(Format(CLanguage::TranslateText("ImportCannotCreateFolder",
                                                       "Can not create the folder %s."),
                              {folder}));
            return false;
        }
        m_log.Line(Format(Text(kFolderCreated), {folder}));
    }
    const std::string path = folder + ticker.ticker + options.suffix + ".csv";
    std::vector<std::string_view> incoming;
    incoming.reserve(ticker.spans.size());
    for (auto [offset, length] : ticker.spans)
        incoming.emplace_back(std::string_view(ticker.text).substr(offset, length));

    std::unique_ptr<CQuoteFileLock> lock = m_store.LockQuoteFile(path);
    std::string old;
    std::vector<std::string_view> local;
    if (m_store.Exists(path)) {
        CFileResult read = m_store.Read(path, old);
        if (!read) {
            m_log.Line(path + ": " + Text(kCannotSave) + " (" + read.message() + ")");
            return false;
        }
        // Another kind of file (a ticker list, anything else) is left as it is.
        if (!old.empty() && !ReadQuoteFileLines(old, local)) {
            m_log.Line(Format(
                CLanguage::TranslateText("ImportNotAQuoteFile",
                                         "%s is not a CSV quote file; it was left as it was."),
                {path}));
            return false;
        }
    }
    SQuoteDayMerge merged = MergeQuoteDays(local, incoming, options.replaceExisting);
    CFileResult written = m_store.Replace(path, merged.text);
    if (!written) {
        m_log.Line(path + ": " + Text(kCannotSave) + " (" + written.message() + ")");
        return false;
    }
    const SQuoteDayMergeCounts& c = merged.counts;
    m_log.Line(
        Format(CLanguage::TranslateText("ImportCounts",
                                        "%s: %d days added, %d replaced, %d kept, %d skipped."),
               {path, Number(c.added), Number(c.replaced), Number(c.kept), Number(c.skipped)}));
    report.counts.added += c.added;
    report.counts.replaced += c.replaced;
    report.counts.kept += c.kept;
    report.counts.skipped += c.skipped;
    report.quoteFiles.push_back(path);
    return true;
}
