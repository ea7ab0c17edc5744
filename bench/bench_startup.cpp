// The windowed program from its start to the first painted chart: the sample installation
// copied to a fresh folder, then the program run with the sample chart and --grab (which
// writes the window once it has painted, and quits), on Qt's offscreen platform.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

int RunProgram(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_StartToFirstPaintedChart(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path home = fs::temp_directory_path() / "zentristock-bench-startup";
    fs::remove_all(home);
    fs::copy(ZS_SAMPLE_DIR, home, fs::copy_options::recursive);
    ::setenv("ZENTRISTOCK_HOME", home.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    const std::string shot = (home / "shot.png").string();
    for (auto _ : state)
        if (RunProgram({ZS_PROGRAM, (home / "chart/ACME.cht").string(), "--grab", shot}) != 0)
            state.SkipWithError("the program failed");
    fs::remove_all(home);
}
BENCHMARK(BM_StartToFirstPaintedChart)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
