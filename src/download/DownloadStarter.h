#pragma once
#include "CQuoteSource.h"
#include "ctlkit/jobs/CDownloadProgressSink.h"
#include "ctlkit/jobs/CJobResult.h"
#include "ctlkit/jobs/CMessageTarget.h"
#include "settings/DownloadSettings.h"
#include "settings/QuoteSourceSettings.h"
#include <cstdint>
#include <memory>
#include <string>

class CMThreadedJobQ;

// What the chart document hands over when it starts a download. Everything is copied into
// the job, so the document may change or close while it runs; a closed document detaches
// `notify` and the result is then dropped.
struct SDownloadRequest {
    std::string ticker;
    std::string market;
    std::string dataFolder;                 // with a trailing "/"
    std::shared_ptr<CMessageTarget> notify; // the document's first view
    DownloadProgressFactory progress;       // null: no progress dialog
    std::shared_ptr<CJobResult> result;     // null: nobody waits for the result
    SDownloadSettings settings;             // service address and proxy, read now
    // The service asked; null: the yahoo form at settings.quoteServer.
    std::shared_ptr<const CQuoteSource> source;
    // Set when the configured source is none the program knows: the starters show it and
    // queue nothing.
    std::string sourceError;
    uint32_t timeOutMs = 0;
};

// The source of `sources` for the request's market; sourceError when it names none.
void ChooseQuoteSource(SDownloadRequest& request, const SQuoteSourceSettings& sources);

// The document's calls, on the user-interface thread. Each checks the names (a ticker or
// market that cannot be a path part is refused with a message through the prompter), fills a
// job and queues it; false when nothing was queued.

// A full download from `startDate` (local midnight).
bool StartFullDownload(CMThreadedJobQ& queue, const SDownloadRequest& request, int64_t startDate);
// A renewal of the quote file.
bool StartRenewal(CMThreadedJobQ& queue, const SDownloadRequest& request);

// Opening a chart whose quote file cannot be loaded: asks text 1; on Yes a full download from
// 1 January 2000.
bool OfferMissingFileDownload(CMThreadedJobQ& queue, const SDownloadRequest& request);
// "ReDownload": text 88 for "NoName"; else asks text 10; on Yes a full download from
// 1 January 1995.
bool ReDownload(CMThreadedJobQ& queue, const SDownloadRequest& request);
// "Update EOD Data": text 88 for "NoName"; else a renewal.
bool UpdateEodData(CMThreadedJobQ& queue, const SDownloadRequest& request);
