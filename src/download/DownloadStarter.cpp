#include "DownloadStarter.h"
#include "CDownloadJob.h"
#include "CRenewJob.h"
#include "QuoteQuery.h"
#include "QuoteSources.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/SafeName.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/lang/CLanguage.h"

namespace {
std::string Printable(const std::string& name) {
    std::string shown;
    for (unsigned char c : name.substr(0, 80)) shown += (c < 0x20 || c == 0x7F) ? '?' : c;
    return shown;
}

std::string Text(unsigned id) {
    return CLanguage::TranslateString(id).value_or("");
}

bool NamesAreSafe(const SDownloadRequest& request) {
    if (!request.sourceError.empty()) {
        CPrompter::Active().ShowMessage(request.sourceError);
        return false;
    }
    if (!IsSafePathPart(request.market)) {
        CPrompter::Active().ShowMessage("The market code \"" + Printable(request.market) +
                                        "\" cannot be used as a folder name.");
        return false;
    }
    if (!IsSafePathPart(request.ticker)) {
        CPrompter::Active().ShowMessage("The stock symbol \"" + Printable(request.ticker) +
                                        "\" cannot be used as a file name.");
        return false;
    }
    return true;
}

void Fill(CQuoteJob& job, const SDownloadRequest& request) {
    job.SetTicker(request.ticker);
    job.SetMarket(request.market);
    job.SetNotifyWindow(request.notify);
    job.SetDataFolder(request.dataFolder);
    SProxyValues proxy;
    proxy.useProxy = request.settings.useProxy;
    proxy.server = request.settings.proxyServer;
    proxy.port = request.settings.proxyPort;
    job.SetProxy(proxy);
    job.SetQuoteServer(request.settings.quoteServer);
    job.SetSource(request.source);
    job.SetProgressFactory(request.progress);
    job.SetTimeOut(request.timeOutMs);
    job.SetResult(request.result);
}

bool HasSymbol(const SDownloadRequest& request) {
    if (request.ticker != "NoName") return true;
    CPrompter::Active().ShowMessage(Text(88));
    return false;
}
} // namespace

void ChooseQuoteSource(SDownloadRequest& request, const SQuoteSourceSettings& sources) {
    request.source = MakeQuoteSource(sources, request.market);
    request.sourceError = request.source ? "" : UnknownQuoteSourceMessage(sources.source);
}

bool StartFullDownload(CMThreadedJobQ& queue, const SDownloadRequest& request, int64_t startDate) {
    if (!NamesAreSafe(request)) return false;
    auto* job = new CDownloadJob;
    Fill(*job, request);
    job->SetStartDate(startDate);
    queue.addJob(job);
    return true;
}

bool StartRenewal(CMThreadedJobQ& queue, const SDownloadRequest& request) {
    if (!NamesAreSafe(request)) return false;
    auto* job = new CRenewJob;
    Fill(*job, request);
    queue.addJob(job);
    return true;
}

bool OfferMissingFileDownload(CMThreadedJobQ& queue, const SDownloadRequest& request) {
    if (!CPrompter::Active().AskYesNo(Text(1))) return false;
    return StartFullDownload(queue, request, MissingFileStartDate());
}

bool ReDownload(CMThreadedJobQ& queue, const SDownloadRequest& request) {
    if (!HasSymbol(request)) return false;
    if (!CPrompter::Active().AskYesNo(Text(10))) return false;
    return StartFullDownload(queue, request, ReDownloadStartDate());
}

bool UpdateEodData(CMThreadedJobQ& queue, const SDownloadRequest& request) {
    if (!HasSymbol(request)) return false;
    return StartRenewal(queue, request);
}
