// libFuzzer target: the input is a ticker-list quote file (behind the ticker-list header
// unless the first byte is odd). It is loaded into a price series, shown in every period,
// its window moved and exported: nothing may crash and the window must stay inside the series.
#include "ctlkit/base/CRecordingPrompter.h"
#include "quotes/CCsvQuoteWriter.h"
#include "quotes/CStock.h"
#include "quotes/QuoteFileFormat.h"
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
const std::string& Home() {
    static std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl =
            std::string(base && *base ? base : "/tmp") + "/fuzz_ticker_quotes.XXXXXX";
        if (!::mkdtemp(tmpl.data())) std::abort();
        std::string home = tmpl + "/";
        ::setenv("ZENTRISTOCK_HOME", home.c_str(), 1);
        std::ofstream(home + "setup.ini") << "[STOCKLINE_SETUP]\nDisPeriod=400\n";
        std::atexit([] { std::filesystem::remove_all(std::getenv("ZENTRISTOCK_HOME")); });
        return home;
    }();
    return folder;
}

void CheckWindow(const CStock& stock) {
    int count = static_cast<int>(stock.Display().size());
    if (stock.WindowFirst() < 0 || stock.WindowFirst() > stock.WindowEnd() ||
        stock.WindowEnd() > count)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    const std::string& home = Home();
    uint8_t options = size > 0 ? data[0] : 0;
    std::string path = home + "IN.txt";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!(options & 1)) out << kTickerQuoteHeader << '\n';
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    CStock stock;
    if (stock.LoadQuoteFile(path) && stock.SourceFormat() == CStock::kSourceTickerList &&
        stock.SymbolName() != "IN")
        std::abort();
    stock.SetNDays(1 + options % 5);
    for (int period : {1, 2, 3, 0}) {
        stock.RestorePeriod(period, stock.NDays());
        stock.RebuildPeriod();
        if (stock.Display().size() > stock.Base().size()) std::abort();
        if (stock.DisplayColumns().size() != stock.Display().size()) std::abort();
    }
    stock.ShowLastBars();
    CheckWindow(stock);
    stock.ShiftWindow(options - 128, 5, options & 2);
    CheckWindow(stock);
    stock.ResetWindow();
    CheckWindow(stock);
    // A day outside the two-digit years is refused, never written a century off.
    if (!stock.ExportCsv(home + "out.csv") && CCsvQuoteWriter::UnwritableDate(stock.Display()).empty())
        std::abort();
    return 0;
}
