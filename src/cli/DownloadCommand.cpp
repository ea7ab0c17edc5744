#include "CliArgs.h"
#include "Commands.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/base/CStringFile.h"
#include "ctlkit/jobs/CJobResult.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "download/DownloadStarter.h"
#include "download/QuoteSources.h"
#include "settings/CInstallPaths.h"
#include "settings/DataFolder.h"
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
const char* const kUsage = "usage: zentristock-cli download --home DIR --ticker T --market M "
                           "[--full|--redownload|--renew] [--source yahoo|stooq|alphavantage] "
                           "[--server URL] [--timeout MS]\n";

// The data lines of the quote file just written, for the report on stdout.
long CountQuoteLines(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text)) return -1;
    CStringFile reader(&text);
    std::string line;
    long count = -1; // the header is no quote
    while (reader.ReadingLine(line))
        if (count < 0 || (line.size() >= 20 && line[0] != '<')) ++count;
    return count < 0 ? 0 : count;
}

int Fail(const std::string& text) {
    std::fprintf(stderr, "%s%s\n", kUsage, text.c_str());
    return 2;
}
} // namespace

int DownloadCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {"full", "redownload", "renew"});
    if (!args.Ok() || !args.Positional().empty()) return Fail(args.Error());
    auto home = args.Value("home");
    auto ticker = args.Value("ticker");
    auto market = args.Value("market");
    if (!home || !ticker || !market) return Fail("--home, --ticker and --market are needed");
    int modes = args.Has("full") + args.Has("redownload") + args.Has("renew");
    if (modes > 1) return Fail("choose one of --full, --redownload and --renew");
    std::string error;
    auto timeout = args.Number("timeout", 0, 3600000, error);
    if (!error.empty()) return Fail(error);
    const CInstallPaths paths(*home);

    CIniReader ini(paths.SetupIni());
    CUiThreadLoop loop;
    auto window = CLoopMessageTarget::Create(loop, [](const SWindowMessage&) { return 1L; });
    SDownloadRequest request;
    request.ticker = *ticker;
    request.market = *market;
    request.dataFolder = DataFolderOf(paths, ini);
    request.notify = window;
    request.result = std::make_shared<CJobResult>();
    request.settings = SDownloadSettings::Read(ini);
    // The source: --source, else setup.ini's; a --server without either names a table.csv
    // service, as it did before there were sources.
    SQuoteSourceSettings sources = SQuoteSourceSettings::Read(ini);
    auto server = args.Value("server");
    std::string source = sources.source;
    if (auto chosen = args.Value("source")) {
        source = *chosen;
    } else if (server && ini.getKeyValue("Source", SQuoteSourceSettings::kSection).empty()) {
        source = "yahoo";
    }
    if (!SQuoteSourceSettings::IsKnownSource(source))
        return Fail(UnknownQuoteSourceMessage(source));
    if (server) {
        request.settings.quoteServer = *server;
        sources.yahooServer = *server;
        sources.baseAddresses[source] = *server;
    }
    request.source = MakeQuoteSource(source, sources, request.market);
    request.timeOutMs = timeout ? static_cast<uint32_t>(*timeout) : 0;

    CMThreadedJobQ queue(std::chrono::milliseconds(0));
    bool queued = args.Has("renew")        ? UpdateEodData(queue, request)
                  : args.Has("redownload") ? ReDownload(queue, request)
                                           : OfferMissingFileDownload(queue, request);
    if (!queued) return 1;
    loop.RunUntil([&] { return request.result->Ended(); }, std::chrono::hours(24));
    window->Detach();
    if (request.result->Get() != EJobResult::Done) return 1;
    std::string path = request.dataFolder + request.market + "/" + request.ticker + ".csv";
    std::printf("ticker,market,file,quotes\n%s,%s,%s,%ld\n", request.ticker.c_str(),
                request.market.c_str(), path.c_str(), CountQuoteLines(path));
    return 0;
}
