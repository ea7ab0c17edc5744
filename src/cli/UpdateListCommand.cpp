#include "CliArgs.h"
#include "Commands.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/base/SafeName.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "download/CMarketListUpdater.h"
#include "download/CSymbolDatabase.h"
#include "settings/CInstallPaths.h"
#include "settings/DownloadSettings.h"
#include <cctype>
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace {
const char* const kUsage = "usage: zentristock-cli update-list --home DIR --market M "
                           "[--market M ...] [--server URL] [--file PATH] [--timeout MS]\n";

// The update dialog of the command line: the log goes to stderr, the dialog never closes.
class StderrUpdateLog : public CMarketUpdateSink {
public:
    bool IsVisible() override { return true; }
    void SetProgressRange(int) override {}
    void SetProgress(int) override {}
    void AppendLog(const std::string& text) override { std::fputs(text.c_str(), stderr); }
    void Close() override {}
    void SetStatusText(const std::string&) override {}
};
} // namespace

int UpdateListCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    auto home = args.Value("home");
    std::vector<std::string> markets = args.Values("market");
    std::string error;
    auto timeout = args.Number("timeout", 0, 3600000, error);
    if (!args.Ok() || !args.Positional().empty() || !home || markets.empty() || !error.empty()) {
        std::fprintf(stderr, "%s%s%s\n", kUsage, args.Error().c_str(), error.c_str());
        return 2;
    }
    auto file = args.Value("file");
    if (file && markets.size() != 1) {
        std::fprintf(stderr, "%s--file reads the list of one market: give one --market\n", kUsage);
        return 2;
    }
    for (const std::string& market : markets)
        if (!IsSafePathPart(market)) {
            std::fprintf(stderr, "The market code \"%s\" cannot be used as a file name.\n",
                         market.c_str());
            return 1;
        }
    const CInstallPaths paths(*home);
    CIniReader ini(paths.SetupIni());
    SDownloadSettings settings = SDownloadSettings::Read(ini);
    CMarketListUpdater::SSetup setup;
    setup.systemFolder = paths.SystemFolder();
    setup.baseAddress = settings.marketListServer;
    if (auto server = args.Value("server")) setup.baseAddress = *server + "/download/mklist/";
    setup.listAddresses = settings.marketLists;
    setup.programFolder = paths.ProgramFolder();
    if (file) {
        std::string code = markets.front();
        for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        std::error_code ignored;
        setup.listAddresses[code] = std::filesystem::absolute(*file, ignored).string();
    }
    setup.proxy.useProxy = settings.useProxy;
    setup.proxy.server = settings.proxyServer;
    setup.proxy.port = settings.proxyPort;
    setup.timeOutMs = timeout ? static_cast<uint32_t>(*timeout) : 0;
    ::mkdir(setup.systemFolder.c_str(), 0755);

    CUiThreadLoop loop;
    CMThreadedJobQ queue(std::chrono::milliseconds(0));
    CMarketListUpdater* updater = nullptr;
    auto bar = CLoopMessageTarget::Create(
        loop, [&](const SWindowMessage& m) { return updater ? updater->OnMarketListDone(m) : 0; });
    CMarketListUpdater update(queue, bar, setup);
    updater = &update;
    bool finished = false;
    update.Start(markets, std::make_shared<StderrUpdateLog>(), [&] { finished = true; });
    loop.RunUntil([&] { return finished; }, std::chrono::hours(24));
    bar->Detach();

    std::printf("market,symbols\n");
    for (const std::string& market : markets) {
        CSymbolDatabase database;
        const bool loaded = database.Load(setup.systemFolder + market + ".Dat").ok();
        std::printf("%s,%ld\n", market.c_str(),
                    loaded ? static_cast<long>(database.Records().size()) : -1L);
    }
    return update.Failed() == 0 ? 0 : 1;
}
