// A one-day renewal of a 10,000-line history over loopback: how long it takes and how many
// bytes it moves.
#include "CTestServer.h"
#include "ctlkit/jobs/CRecordingProgress.h"
#include "download/CRenewJob.h"
#include "quotes/QuoteLineDate.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {
const std::string kHeader = "Date,Open,High,Low,Close,Volume,Adj. Close*";

// Newest first: the week days from (year, month, day) back.
std::string History(int year, int month, int day, int count) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string text = kHeader + "\n";
    int64_t midnight = LocalMidnightSeconds(year, month, day);
    for (int back = 0, made = 0; made < count; ++back) {
        time_t t = static_cast<time_t>(midnight) - static_cast<time_t>(back) * 86400 + 43200;
        std::tm tm{};
        localtime_r(&t, &tm);
        if (tm.tm_wday == 0 || tm.tm_wday == 6) continue;
        char line[96];
        std::snprintf(line, sizeof line, "%d-%s-%02d,%d.25,%d.50,%d.00,%d.75,%d,%d.75\n",
                      tm.tm_mday, months[tm.tm_mon], tm.tm_year % 100, 10 + back % 7, 11 + back % 7,
                      9 + back % 7, 10 + back % 7, 100000 + back, 10 + back % 7);
        text += line;
        ++made;
    }
    return text;
}

long LastReadCount(const std::vector<std::string>& texts) {
    long count = 0;
    for (auto& text : texts)
        if (text.rfind("Read ", 0) == 0) count = std::stol(text.substr(5));
    return count;
}
} // namespace

static void BM_OneDayRenewalOf10000Lines(benchmark::State& state) {
    std::string home = MakeTempFolder("bench-download");
    std::string server = home + "/server";
    CTestServer http(server);
    if (!http.Started()) {
        state.SkipWithError("the test server did not start");
        return;
    }
    std::string history = History(2005, 1, 11, 10000);
    http.PutQuotes("IBM", history);
    std::filesystem::create_directories(home + "/Data/NYSE");
    std::string local = History(2005, 1, 10, 400);
    long received = 0, sent = 0;
    for (auto _ : state) {
        state.PauseTiming();
        WriteTextFile(home + "/Data/NYSE/IBM.csv", local);
        auto progress = std::make_shared<CRecordingProgress>();
        CRenewJob job;
        job.setAutoDelete(0);
        job.SetTicker("IBM");
        job.SetMarket("NYSE");
        job.SetDataFolder(home + "/Data/");
        job.SetQuoteServer(http.BaseUrl());
        job.SetProgressFactory([progress](long) { return progress; });
        state.ResumeTiming();
        job.execute();
        state.PauseTiming();
        if (job.NewLines().size() != 1) state.SkipWithError("the renewal did not add one day");
        received = LastReadCount(progress->StatusTexts());
        sent = http.LastBytes();
        state.ResumeTiming();
    }
    state.counters["received_bytes"] = static_cast<double>(received);
    state.counters["server_sent_bytes"] = static_cast<double>(sent);
    state.counters["history_bytes"] = static_cast<double>(history.size());
    RemoveTree(home);
}
BENCHMARK(BM_OneDayRenewalOf10000Lines)->Unit(benchmark::kMillisecond)->UseRealTime();
