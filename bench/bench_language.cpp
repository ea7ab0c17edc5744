// Translations per second with a language file of a full translation (about 700 strings and
// 60 dialog and menu sections, some 40 KB): through CLanguage, which reads the file once per
// change, and reading and parsing the file at every call, as translating did before. Also
// the reading of a stored snap field that names a curve, which asks every language file of a
// folder of five.
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/IniFile.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/LanguageFileCache.h"
#include "tools/SnapField.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kStrings = 700;
constexpr int kSections = 60;
constexpr int kLanguages = 5;

std::string LanguageText(int language) {
    std::string text = "[Language]\nLanguage=" + std::to_string(1031 + language) + "\n[String]\n";
    for (int id = 1; id <= kStrings; ++id)
        text += std::to_string(id) + "=Übersetzter Text Nummer " + std::to_string(id) + " (" +
                std::to_string(language) + ")\n";
    for (int section = 0; section < kSections; ++section) {
        text += "[" + std::to_string(100 + section) + "]\n";
        for (int control = 0; control < 12; ++control)
            text += std::to_string(1000 + control) + "=Feld " + std::to_string(control) + "\n";
    }
    return text;
}

// A folder of kLanguages language files, old enough to be kept at their first reading.
const std::string& Folder() {
    static const std::string folder = [] {
        std::string tmpl = "/tmp/bench_language.XXXXXX";
        if (!::mkdtemp(tmpl.data())) std::abort();
        tmpl += "/";
        for (int language = 0; language < kLanguages; ++language)
            std::ofstream(tmpl + "L" + std::to_string(language) + ".lng") << LanguageText(language);
        std::this_thread::sleep_for(LanguageFileCache::kDefaultSettleTime +
                                    std::chrono::milliseconds(200));
        return tmpl;
    }();
    return folder;
}

const std::string& ActiveFile() {
    static const std::string file = Folder() + "L0.lng";
    return file;
}

void BM_TranslateString(benchmark::State& state) {
    CLanguage::SetFile(ActiveFile());
    unsigned id = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLanguage::TranslateString(id));
        id = id % kStrings + 1;
    }
    state.SetItemsProcessed(state.iterations());
    CLanguage::SetFile("");
}
BENCHMARK(BM_TranslateString);

void BM_TranslateStringReadingTheFileEachCall(benchmark::State& state) {
    unsigned id = 1;
    for (auto _ : state) {
        std::string text;
        (void)ReadWholeFile(ActiveFile(), text);
        benchmark::DoNotOptimize(IniFile::Parse(text).Value("String", std::to_string(id)));
        id = id % kStrings + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TranslateStringReadingTheFileEachCall);

void BM_SnapFieldOfACurveName(benchmark::State& state) {
    CLanguage::SetFile(ActiveFile());
    for (auto _ : state) benchmark::DoNotOptimize(SnapField::FromStored("SMA", Folder()));
    state.SetItemsProcessed(state.iterations());
    CLanguage::SetFile("");
}
BENCHMARK(BM_SnapFieldOfACurveName);
} // namespace

BENCHMARK_MAIN();
