// libFuzzer target: the input is a CSV quote file (behind the CSV header unless the first
// byte is odd). It is loaded into a price series, shown in every period, its window moved,
// exported, and the export loaded again: nothing may crash, the window must stay inside the
// series, and the export must load back bar for bar. Only a day outside the years the
// export's two-digit years hold may refuse the export.
#include "ctlkit/base/CRecordingPrompter.h"
#include "quotes/CCsvQuoteWriter.h"
#include "quotes/CStock.h"
#include "quotes/QuoteFileFormat.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
// A program folder of its own under $TMPDIR (default /tmp); a tmpfs such as /dev/shm makes
// the flushes of the atomic writes cheap.
const std::string& Home() {
    static std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/fuzz_csv_quotes.XXXXXX";
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

void Exercise(CStock& stock, uint8_t options) {
    stock.SetNDays(1 + options % 7);
    stock.MakeWeekLine(false);
    stock.MakeMonthLine(false);
    stock.MakeNDayLine(false);
    if (stock.Display().size() > stock.Base().size()) std::abort();
    if (stock.DisplayColumns().size() != stock.Display().size()) std::abort();
    stock.MakeDayLine(false);
    stock.ShowLastBars();
    CheckWindow(stock);
    stock.ShiftWindow(-7, -3, options & 2);
    CheckWindow(stock);
    stock.ShiftWindow(options, -static_cast<int>(options), false);
    CheckWindow(stock);
    stock.ResetWindow();
    CheckWindow(stock);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    const std::string& home = Home();
    std::string input(reinterpret_cast<const char*>(data), size);
    uint8_t options = size > 0 ? data[0] : 0;
    std::string path = home + "in.csv";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!(options & 1)) out << kCsvQuoteHeader << '\n';
        out << input;
    }
    CStock stock;
    stock.SetMaximumQuotes(options & 4 ? 400 : options / 8, false);
    stock.LoadQuoteFile(path);
    Exercise(stock, options);
    std::string exported = home + "out.csv";
    if (!stock.ExportCsv(exported)) {
        if (CCsvQuoteWriter::UnwritableDate(stock.Display()).empty()) std::abort();
        return 0;
    }
    if (stock.SourceFormat() == CStock::kSourceCsv) {
        CStock again;
        again.SetMaximumQuotes(static_cast<int>(stock.Display().size()), false);
        if (!again.LoadQuoteFile(exported)) std::abort();
        if (again.Base().size() != stock.Display().size()) std::abort();
        if (again.LastReadStats().Refused() != 0) std::abort();
    }
    return 0;
}
