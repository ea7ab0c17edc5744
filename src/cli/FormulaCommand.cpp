#include "CliArgs.h"
#include "CommandFormula.h"
#include "CommandQuotes.h"
#include "Commands.h"
#include "JsonText.h"
#include "quotes/CStock.h"
#include "quotes/LocalDate.h"
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: zentristock-cli formula check FILE|TEXT\n"
    "       zentristock-cli formula eval --quotes FILE [--period day|week|month|nday:N] "
    "[--max-quotes N] (TEXT | --file F)\n";

int BadUsage(const std::string& error) { return UsageError(kUsage, error); }

// The formula text and what to call it in messages: a file when one is named or the word is
// an existing file, else the word itself.
bool FormulaSource(const std::string& word, bool isFile, std::string& text, std::string& source) {
    std::error_code ignored;
    if (!isFile && !std::filesystem::is_regular_file(word, ignored)) {
        text = word;
        source = "formula";
        return true;
    }
    std::string why;
    if (!ReadFormulaFile(word, text, why)) {
        std::fprintf(stderr, "cannot read the formula file %s: %s\n", word.c_str(), why.c_str());
        return false;
    }
    source = word;
    return true;
}

int Check(const CliArgs& args) {
    if (args.Positional().size() != 2) return BadUsage("formula check wants one FILE or TEXT");
    std::string text, source;
    if (!FormulaSource(args.Positional()[1], false, text, source)) return 1;
    const auto formula = ParseCommandFormula(text, source);
    if (!formula) return 1;
    for (const std::string& name : formula->OutputNames()) std::printf("%s\n", name.c_str());
    return 0;
}

int Eval(const CliArgs& args) {
    const auto quotes = args.Value("quotes");
    const auto file = args.Value("file");
    if (!quotes) return BadUsage("formula eval wants --quotes FILE");
    if (args.Positional().size() != (file ? 1u : 2u))
        return BadUsage("formula eval wants either TEXT or --file F");
    std::string error;
    const auto options = ReadCommandQuoteOptions(args, error);
    if (!options) return BadUsage(error);
    std::string text, source;
    if (!FormulaSource(file ? *file : args.Positional()[1], file.has_value(), text, source))
        return 1;
    const auto formula = ParseCommandFormula(text, source);
    if (!formula) return 1;

    CStock stock;
    stock.LoadSettings(*CommandContext());
    if (!LoadCommandQuotes(stock, *quotes, *options)) return 1;
    const std::vector<SQuote>& bars = stock.Display();
    const auto outputs = formula->Evaluate(CBarColumns(bars));

    std::string header = "index,date";
    for (const SFormulaOutput& out : outputs) header += "," + CsvField(out.name);
    std::printf("%s\n", header.c_str());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const SLocalDay day = LocalDayOf(bars[i].date);
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", day.year, day.month, day.day);
        std::string row = std::to_string(i) + "," + date;
        for (const SFormulaOutput& out : outputs) row += "," + NumberText(out.curve->values[i]);
        std::printf("%s\n", row.c_str());
    }
    return 0;
}

} // namespace

int FormulaCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    if (!args.Ok() || args.Positional().empty()) return BadUsage(args.Error());
    const std::string& action = args.Positional()[0];
    if (action == "check") return Check(args);
    if (action == "eval") return Eval(args);
    return BadUsage("unknown formula action \"" + action + "\"");
}
