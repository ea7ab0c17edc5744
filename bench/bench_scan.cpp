// The market scan of zentristock-cli over a generated market of 5,000 quote files of 2,500
// quotes each (a random walk per symbol), run as the program is run, output to /dev/null.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 5000;
constexpr int kQuotes = 2500;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Newest first, as the quote service writes them: consecutive calendar days back from the
// last one.
void WriteQuoteFile(const fs::path& path, std::mt19937& rng) {
    std::uniform_int_distribution<int> step(-150, 150);
    std::vector<int> closes(kQuotes);
    int close = 5000;
    for (int& c : closes) c = close = std::max(100, close + step(rng));
    std::string text = "Date,Open,High,Low,Close,Volume,Adj. Close*\n";
    for (int i = kQuotes - 1; i >= 0; --i) {
        const int days = i; // days after 1-Jan-2010
        int year = 2010, month = 0, day = 1 + days;
        static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (;;) {
            const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
            const int length = lengths[month] + (month == 1 && leap);
            if (day <= length) break;
            day -= length;
            if (++month == 12) month = 0, ++year;
        }
        char line[96];
        const double c = closes[std::size_t(i)] / 100.0;
        std::snprintf(line, sizeof line, "%d-%s-%02d,%.2f,%.2f,%.2f,%.2f,%d,%.2f\n", day,
                      kMonths[month], year % 100, c, c + 0.5, c - 0.5, c, 1000 + i, c);
        text += line;
    }
    std::ofstream(path, std::ios::binary) << text;
}

const fs::path& Home() {
    static const fs::path home = [] {
        const fs::path h = fs::temp_directory_path() / "zentristock-bench-scan";
        fs::remove_all(h);
        fs::create_directories(h / "Data" / "GEN");
        std::mt19937 rng(20240601);
        for (int f = 0; f < kFiles; ++f) {
            char name[32];
            std::snprintf(name, sizeof name, "S%04d.csv", f);
            WriteQuoteFile(h / "Data" / "GEN" / name, rng);
        }
        return h;
    }();
    return home;
}

int RunQuietly(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Scan(benchmark::State& state, std::vector<std::string> what) {
    std::vector<std::string> args = {ZS_PROGRAM, "scan", "--home", Home().string(), "--market",
                                     "GEN"};
    args.insert(args.end(), what.begin(), what.end());
    for (auto _ : state)
        if (RunQuietly(args) != 0) state.SkipWithError("the scan failed");
    state.SetItemsProcessed(int64_t(state.iterations()) * kFiles);
}

} // namespace

BENCHMARK_CAPTURE(Scan, FLAGMA_all_quotes, {"--signal", "FLAGMA", "--max-quotes", "2500"})
    ->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK_CAPTURE(Scan, FLAGMACD_all_quotes, {"--signal", "FLAGMACD", "--max-quotes", "2500"})
    ->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK_CAPTURE(Scan, formula_all_quotes,
                  {"--formula", "BUY: CROSS(EMA(C,12),EMA(C,26)) AND V>MA(V,5)", "--max-quotes",
                   "2500"})
    ->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK_CAPTURE(Scan, FLAGMA_default_400, {"--signal", "FLAGMA"})
    ->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(Home());
    return 0;
}
