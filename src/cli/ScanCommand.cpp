#include "CliArgs.h"
#include "CommandFormula.h"
#include "CommandQuotes.h"
#include "Commands.h"
#include "JsonText.h"
#include "download/CSymbolDatabase.h"
#include "quotes/CStock.h"
#include "quotes/LocalDate.h"
#include "quotes/QuoteFileLocation.h"
#include "series/TradeSignals.h"
#include "settings/CInstallPaths.h"
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

const char kUsage[] = "usage: zentristock-cli scan --home DIR --market M (--formula TEXT | --file F "
                      "| --signal ID) [--period day|week|month|nday:N] [--max-quotes N] [--bars N] "
                      "[--format csv|json]\n";

using SignalSystem = std::vector<STradeFlagData> (*)(const CBarColumns&);

struct SSignalName {
    const char* identifier;
    SignalSystem system;
};

constexpr SSignalName kSignals[] = {
    {"FLAGMA", IndicatorFormulas::FLAGMA},   {"FLAGWMA", IndicatorFormulas::FLAGWMA},
    {"FLAGEMA", IndicatorFormulas::FLAGEMA}, {"FLAGSAR", IndicatorFormulas::FLAGSAR},
    {"FLAGKDJ", IndicatorFormulas::FLAGKDJ}, {"FLAGMACD", IndicatorFormulas::FLAGMACD},
};

// What to look for and over which bars.
struct SScanJob {
    SCommandQuoteOptions quotes;
    std::size_t bars = 1;
    SignalSystem system = nullptr;
    const CFormula* formula = nullptr;
};

struct SScanRow {
    int32_t date = 0;
    std::string signal;
    float close = 0.0f;
};

struct SFileScan {
    std::string path;
    std::vector<SScanRow> rows;
    std::string problem; // why the file was skipped
};

int BadUsage(const std::string& error) { return UsageError(kUsage, error); }

std::string DateText(int32_t date) {
    const SLocalDay day = LocalDayOf(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
    return text;
}

// A file whose lines were not all read is skipped: its last bars cannot be trusted.
void ScanFile(SFileScan& file, const SScanJob& job) {
    CStock stock;
    SQuoteReadStats stats;
    const CFileResult loaded =
        LoadQuotesInPeriod(stock, file.path, job.quotes.period, job.quotes.maximum, &stats);
    if (!loaded.ok()) {
        file.problem = loaded.message().empty() ? "cannot be read" : loaded.message();
        return;
    }
    if (stats.Refused() != 0 || stats.readError) {
        file.problem = "quote lines refused: " + std::to_string(stats.Refused());
        return;
    }
    const std::vector<SQuote>& bars = stock.Display();
    if (bars.empty()) {
        file.problem = "holds no quotes";
        return;
    }
    const CBarColumns q(bars);
    const std::size_t from = bars.size() > job.bars ? bars.size() - job.bars : 0;
    if (job.system) {
        const std::vector<STradeFlagData> flags = job.system(q);
        for (std::size_t i = from; i < bars.size(); ++i)
            for (const STradeFlagData& side : flags)
                if (side.values[i] != 0.0f)
                    file.rows.push_back(
                        {bars[i].date, side.direction == 1 ? "buy" : "sell", bars[i].close});
        return;
    }
    // A condition holds where it is a finite value other than 0: a bar without a value is no
    // signal.
    const std::vector<SFormulaOutput> outputs = job.formula->Evaluate(q);
    for (std::size_t i = from; i < bars.size(); ++i)
        for (const SFormulaOutput& out : outputs) {
            const float v = out.curve->values[i];
            if (std::isfinite(v) && v != 0.0f) file.rows.push_back({bars[i].date, out.name, bars[i].close});
        }
}

// Each worker takes the next file until none is left; every file is read once.
void ScanAll(std::vector<SFileScan>& files, const SScanJob& job) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) ScanFile(files[i], job);
    };
    const unsigned workers = std::max(2u, std::thread::hardware_concurrency());
    std::vector<std::thread> threads;
    for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
}

std::vector<SFileScan> QuoteFiles(const std::string& folder, std::string& why) {
    std::vector<SFileScan> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string extension = it->path().extension().string();
        if ((extension == ".csv" || extension == ".txt") && it->is_regular_file(error))
            files.push_back({it->path().string(), {}, {}});
    }
    if (error) why = error.message();
    std::sort(files.begin(), files.end(),
              [](const SFileScan& a, const SFileScan& b) { return a.path < b.path; });
    return files;
}

} // namespace

int ScanCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    const auto home = args.Value("home");
    const auto market = args.Value("market");
    const auto formulaText = args.Value("formula");
    const auto formulaFile = args.Value("file");
    const auto signal = args.Value("signal");
    if (!args.Ok() || !args.Positional().empty() || !home || !market) return BadUsage(args.Error());
    if (int(formulaText.has_value()) + int(formulaFile.has_value()) + int(signal.has_value()) != 1)
        return BadUsage("scan wants one of --formula TEXT, --file F and --signal ID");
    const std::string format = args.Value("format").value_or("csv");
    if (format != "csv" && format != "json")
        return BadUsage("--format wants csv or json, not \"" + format + "\"");
    std::string error;
    SScanJob job;
    const auto options = ReadCommandQuoteOptions(args, error);
    if (!options) return BadUsage(error);
    job.quotes = *options;
    const auto bars = args.Number("bars", 1, 1000000, error);
    if (!error.empty()) return BadUsage(error);
    if (bars) job.bars = std::size_t(*bars);

    std::optional<CFormula> formula;
    if (signal) {
        for (const SSignalName& s : kSignals)
            if (*signal == s.identifier) job.system = s.system;
        if (!job.system) {
            std::string known;
            for (const SSignalName& s : kSignals) known += (known.empty() ? "" : ", ") + std::string(s.identifier);
            return BadUsage("unknown signal \"" + *signal + "\"; known signals: " + known);
        }
    } else {
        std::string text = formulaText.value_or("");
        std::string why;
        if (formulaFile && !ReadFormulaFile(*formulaFile, text, why)) {
            std::fprintf(stderr, "cannot read the formula file %s: %s\n", formulaFile->c_str(),
                         why.c_str());
            return 1;
        }
        formula = ParseCommandFormula(text, formulaFile.value_or("formula"));
        if (!formula) return 1;
        job.formula = &*formula;
    }

    const auto context = CommandContext(home);
    SQuoteFileLocation location;
    const CFileResult located = LocateQuoteFile(context->DataFolder(), *market, "X", location);
    if (!located) {
        std::fprintf(stderr, "%s\n", located.message().c_str());
        return 2;
    }
    const std::string folder = context->DataFolder() + *market;
    std::string why;
    std::vector<SFileScan> files = QuoteFiles(folder, why);
    if (!why.empty()) {
        std::fprintf(stderr, "cannot list the quote files of %s: %s\n", folder.c_str(), why.c_str());
        return 1;
    }
    ScanAll(files, job);

    CSymbolDatabase names;
    // A market without its database knows no names.
    (void)names.Load(CInstallPaths(*home).SystemFolder() + *market + ".Dat");
    std::string out = format == "csv" ? "symbol,name,date,signal,close\n" : "[";
    bool first = true;
    for (const SFileScan& file : files) {
        if (!file.problem.empty()) {
            std::fprintf(stderr, "skipped %s: %s\n", file.path.c_str(), file.problem.c_str());
            continue;
        }
        if (file.rows.empty()) continue;
        const std::string symbol = SymbolOfQuoteFile(file.path);
        const std::string name = names.LookupName(symbol);
        for (const SScanRow& row : file.rows) {
            if (format == "csv") {
                out += CsvField(symbol) + "," + CsvField(name) + "," + DateText(row.date) + "," +
                       CsvField(row.signal) + "," + NumberText(row.close) + "\n";
            } else {
                out += std::string(first ? "" : ",") + "{\"symbol\":" + JsonString(symbol) +
                       ",\"name\":" + JsonString(name) + ",\"date\":" +
                       JsonString(DateText(row.date)) + ",\"signal\":" + JsonString(row.signal) +
                       ",\"close\":" + JsonNumber(row.close) + "}";
            }
            first = false;
        }
    }
    if (format == "json") out += "]\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
