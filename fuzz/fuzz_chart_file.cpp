// libFuzzer target: the input is a chart file. Reading must refuse or succeed without a crash
// and without allocating beyond what the bytes can hold; a chart that was read must write a
// file that reads back and writes the same bytes again.
#include "chart/CChartFile.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
// A program folder of its own, whose setup.ini has the series section (no message per run).
void PrepareHome() {
    static const bool prepared = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/fuzz_chart.XXXXXX";
        if (!::mkdtemp(tmpl.data())) std::abort();
        std::ofstream(tmpl + "/setup.ini") << "[STOCKLINE_SETUP]\nDisPeriod=400\n";
        ::setenv("ZENTRISTOCK_HOME", (tmpl + "/").c_str(), 1);
        return true;
    }();
    (void)prepared;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PrepareHome();
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    std::unique_ptr<CStock> stock;
    const CFileResult read =
        CChartFile::Read(std::string_view(reinterpret_cast<const char*>(data), size), stock);
    if (!read) {
        if (read.message().empty() || stock) std::abort();
        return 0;
    }
    if (!stock) std::abort();
    stock->SetExportOnClose(false);
    const std::string written = CChartFile::Write(*stock);
    std::unique_ptr<CStock> again;
    if (!CChartFile::Read(written, again) || !again) std::abort();
    again->SetExportOnClose(false);
    if (CChartFile::Write(*again) != written) std::abort();
    return 0;
}
