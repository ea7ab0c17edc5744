#include "FetchBatch.h"
#include "CFetchRun.h"
#include "CInstanceLock.h"
#include "CStockSelection.h"
#include "HeadlessImport.h"
#include "ctlkit/base/ProgramFolder.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/QuoteSources.h"
#include "settings/CInstallPaths.h"
#include "settings/FetchSettings.h"
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

namespace {
struct SBatchOptions {
    std::optional<std::string> home;
    std::optional<std::string> selection;
    std::optional<std::string> server;
    long maxFailures = 0; // 0: no limit
};

// Empty when the words were understood, else what was wrong.
std::string ParseOptions(const std::vector<std::string>& words, SBatchOptions& options) {
    bool batch = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--batch") {
            if (batch) return "--batch is given twice";
            batch = true;
            continue;
        }
        std::optional<std::string>* value = word == "--home"        ? &options.home
                                            : word == "--selection" ? &options.selection
                                            : word == "--server"    ? &options.server
                                                                    : nullptr;
        if (!value && word != "--max-failures") return "unknown option " + word;
        if (i + 1 >= words.size() || words[i + 1].empty()) return word + " needs a value";
        const std::string& given = words[++i];
        if (value) {
            if (*value) return word + " is given twice";
            *value = given;
            continue;
        }
        char* end = nullptr;
        errno = 0;
        const long number = std::strtol(given.c_str(), &end, 10);
        if (options.maxFailures || errno || *end || number < 1 || number > 1000000)
            return "--max-failures needs a number from 1 to 1000000, once";
        options.maxFailures = number;
    }
    return batch ? "" : "--batch is missing";
}

// A field of an output line, quoted as CSV when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// The run's view without a window: records on stdout, messages on stderr.
class CBatchView : public CFetchRunView {
public:
    CBatchView(std::FILE* out, std::FILE* err, long maxFailures)
        : m_out(out), m_err(err), m_maxFailures(maxFailures) {}

    void SetRun(CFetchRun* run) { m_run = run; }
    void ShowMessage(const std::string& text) override {
        std::fprintf(m_err, "%s\n", text.c_str());
    }
    void AddLogLine(const std::string& text) override { std::fprintf(m_err, "%s\n", text.c_str()); }
    void SetStatusText(const std::string&) override {}
    void SetProgressRange(int, int) override {}
    void SetProgressPosition(int) override {}
    void EnableRunButtons(bool) override {}
    void RecordEnded(const SSelectedStock& stock, EFetchResult result, long newDays) override {
        std::fprintf(m_out, "%s,%s,%s,%ld\n", CsvField(stock.symbol).c_str(),
                     CsvField(stock.market).c_str(), FetchResultName(result), newDays);
        std::fflush(m_out);
        if (result == EFetchResult::NotQuotes || result == EFetchResult::CannotWrite) {
            ++m_failures;
            if (m_maxFailures > 0 && m_failures >= m_maxFailures && m_run) m_run->Stop();
        }
    }
    void RunEnded(EFetchRunEnd end) override {
        m_end = end;
        m_ended = true;
    }

    bool Ended() const { return m_ended; }
    EFetchRunEnd End() const { return m_end; }
    long Failures() const { return m_failures; }

private:
    std::FILE* m_out;
    std::FILE* m_err;
    long m_maxFailures;
    CFetchRun* m_run = nullptr;
    long m_failures = 0;
    bool m_ended = false;
    EFetchRunEnd m_end = EFetchRunEnd::Finished;
};
} // namespace

int HoldInstallation(const CInstallPaths& paths, std::unique_ptr<CInstanceLock>& instance,
                     std::FILE* err) {
    std::error_code error;
    if (!std::filesystem::is_directory(paths.ProgramFolder(), error)) {
        std::fprintf(err, "quotefetch: %s is not a folder\n", paths.ProgramFolder().c_str());
        return kBatchBadSetup;
    }
    std::filesystem::create_directories(paths.SystemFolder(), error);
    instance = std::make_unique<CInstanceLock>(paths.DownloaderLock());
    if (instance->State() == CInstanceLock::EState::HeldByOther) {
        std::fprintf(err, "quotefetch: another run (process %ld) is using %s\n",
                     instance->OwnerPid(), paths.ProgramFolder().c_str());
        return kBatchAlreadyRunning;
    }
    if (instance->State() != CInstanceLock::EState::Locked) {
        std::fprintf(err, "quotefetch: %s\n", instance->Error().c_str());
        return kBatchBadSetup;
    }
    return kBatchAllDone;
}

int RunImportMode(const std::vector<std::string>& words, std::FILE* err) {
    std::optional<std::string> home;
    std::vector<std::string> rest;
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i] != "--home") {
            rest.push_back(words[i]);
            continue;
        }
        if (home || i + 1 >= words.size() || words[i + 1].empty()) {
            std::fprintf(err, "%squotefetch: --home needs a value, once\n", FetchUsage());
            return kBatchBadSetup;
        }
        home = words[++i];
    }
    const CInstallPaths paths(home ? *home : ProgramFolder());
    std::unique_ptr<CInstanceLock> instance;
    if (const int status = HoldInstallation(paths, instance, err); status != kBatchAllDone)
        return status;
    // The import's options follow the "--import" word wherever it stood.
    const auto import = std::find(rest.begin(), rest.end(), "--import");
    std::vector<std::string> ordered(import, rest.end());
    ordered.insert(ordered.end(), rest.begin(), import);
    return RunHeadlessImport(paths, ordered);
}

const char* FetchUsage() {
    return "usage: quotefetch --batch [--home DIR] [--selection FILE] [--server URL] "
           "[--max-failures N]\n"
           "       quotefetch [--home DIR] --import FILE... --market M [--suffix] [--replace]\n";
}

int RunFetchBatch(const std::vector<std::string>& words, std::FILE* out, std::FILE* err) {
    SBatchOptions options;
    if (std::string problem = ParseOptions(words, options); !problem.empty()) {
        std::fprintf(err, "%squotefetch: %s\n", FetchUsage(), problem.c_str());
        return kBatchBadSetup;
    }
    const CInstallPaths paths(options.home ? *options.home : ProgramFolder());
    std::unique_ptr<CInstanceLock> instance;
    if (const int status = HoldInstallation(paths, instance, err); status != kBatchAllDone)
        return status;
    std::error_code error;
    if (options.selection && !std::filesystem::is_regular_file(*options.selection, error)) {
        std::fprintf(err, "quotefetch: no selection file %s\n", options.selection->c_str());
        return kBatchBadSetup;
    }

    CIniReader ini(paths.SetupIni());
    const SFetchSettings settings = SFetchSettings::Read(paths, ini);
    SQuoteSourceSettings sources = SQuoteSourceSettings::Read(ini);
    const bool sourceChosen = !ini.getKeyValue("Source", SQuoteSourceSettings::kSection).empty();
    if (!SQuoteSourceSettings::IsKnownSource(sources.source)) {
        std::fprintf(err, "quotefetch: %s\n", UnknownQuoteSourceMessage(sources.source).c_str());
        return kBatchBadSetup;
    }
    CLanguage::SetFile(paths.LanguageFile(settings.languageName));
    CStockSelection selection(options.selection ? *options.selection : paths.DownloaderSelection());
    selection.Load();

    CUiThreadLoop loop;
    CBatchView view(out, err, options.maxFailures);
    CMThreadedJobQ queue(std::chrono::milliseconds(0));
    CFetchRun run(selection, queue, view);
    view.SetRun(&run);
    auto window = CLoopMessageTarget::Create(
        loop, [&run](const SWindowMessage& m) { return run.HandleMessage(m); });
    CFetchRun::SJobSettings jobs;
    jobs.dataFolder = settings.dataFolder;
    jobs.quoteServer = options.server ? *options.server : settings.quoteServer;
    // A --server without a chosen source names a table.csv service, as before there were
    // sources; with one it is that source's address.
    if (!options.server || sourceChosen) {
        if (options.server) sources.baseAddresses[sources.source] = *options.server;
        if (options.server) sources.yahooServer = *options.server;
        jobs.sources = std::move(sources);
    }
    jobs.proxy.useProxy = settings.useProxy;
    jobs.proxy.server = settings.proxyServer;
    jobs.proxy.port = settings.proxyPort;
    run.SetJobSettings(std::move(jobs));
    run.SetNotifyWindow(window);

    run.Start();
    if (!run.Running()) {
        window->Detach();
        return kBatchAllDone; // an empty selection: nothing to do (504 was shown)
    }
    loop.RunUntil([&] { return view.Ended(); }, std::chrono::hours(24 * 365));
    window->Detach();
    if (view.End() == EFetchRunEnd::ConnectionFailed) return kBatchConnectionLost;
    return view.Failures() > 0 ? kBatchSomeFailed : kBatchAllDone;
}
