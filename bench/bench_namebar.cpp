// The stock name panel over a market of 100,000 symbols: the database read from disk, ordered
// and shown (up to the list's first paint on Qt's offscreen platform); and the search the
// symbol field's Enter starts, for each kind of match.
#include "DialogOpening.h"
#include "download/CSymbolDatabase.h"
#include "panels/CSymbolList.h"
#include "panels/qt/CStockNameBar.h"
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using dialog_opening::App;
using dialog_opening::CPaintWatch;

constexpr int kSymbols = 100000;

// An installation with one market of 100,000 symbols, file order reversed; removed at exit.
class CBenchInstall {
public:
    CBenchInstall() {
        char tmpl[] = "/tmp/bench_namebar.XXXXXX";
        m_root = std::string(::mkdtemp(tmpl)) + "/";
        for (const char* folder : {"Index", "System", "Data/US", "fav"})
            std::filesystem::create_directories(m_root + folder);
        std::ofstream(m_root + "Index/market.txt")
            << "Market\tFullName\tSuffix\nUS\tUnited States\t\n";
        std::ofstream db(m_root + "System/US.Dat", std::ios::binary);
        for (int i = kSymbols - 1; i >= 0; --i) {
            char symbol[16];
            std::snprintf(symbol, sizeof symbol, "S%06d", i);
            db << CSymbolDatabase::MakeRecord(symbol, "Company number " + std::to_string(i) +
                                                          " Holdings Incorporated");
        }
    }
    ~CBenchInstall() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    SNameBarFolders Folders() const {
        return {m_root + "Index/", m_root + "System/", m_root + "Data/", m_root + "fav/"};
    }

private:
    std::string m_root;
};

const CBenchInstall& Install() {
    static CBenchInstall install;
    return install;
}

void BM_NameBarLoadAndShow100k(benchmark::State& state) {
    App();
    const SNameBarFolders folders = Install().Folders();
    CStockNameBar bar;
    bar.resize(240, 600);
    bar.show();
    QApplication::processEvents();
    auto* list = bar.findChild<QTreeView*>("symbolList");
    for (auto _ : state) {
        CPaintWatch watch;
        list->viewport()->installEventFilter(&watch);
        bar.Open(folders, {0, state.range(0) != 0});
        list->viewport()->update();
        while (!watch.painted) QApplication::processEvents();
        list->viewport()->removeEventFilter(&watch);
    }
    if (bar.Symbols().Count() != kSymbols) state.SkipWithError("not every symbol was loaded");
}
BENCHMARK(BM_NameBarLoadAndShow100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The parts of the above: reading the records, and ordering them.
void BM_DatabaseLoad100k(benchmark::State& state) {
    const std::string path = Install().Folders().system + "US.Dat";
    for (auto _ : state) {
        CSymbolDatabase database;
        if (!database.Load(path)) state.SkipWithError("no database");
        benchmark::DoNotOptimize(database.Records().data());
    }
}
BENCHMARK(BM_DatabaseLoad100k)->Unit(benchmark::kMillisecond);

void BM_SymbolListOrder100k(benchmark::State& state) {
    CSymbolDatabase database;
    if (!database.Load(Install().Folders().system + "US.Dat")) state.SkipWithError("no database");
    for (auto _ : state) {
        CSymbolList list;
        list.SetByName(state.range(0) != 0);
        list.Assign(database.Records());
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_SymbolListOrder100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SymbolSearch100k(benchmark::State& state) {
    CSymbolDatabase database;
    if (!database.Load(Install().Folders().system + "US.Dat")) state.SkipWithError("no database");
    CSymbolList list;
    list.Assign(database.Records());
    // Exact (the last symbol), prefix, name contained (the last name), no match.
    const char* const texts[] = {"s099999", "S0999", "number 99999 holdings", "nothing here"};
    const char* text = texts[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(list.Find(text));
}
BENCHMARK(BM_SymbolSearch100k)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
