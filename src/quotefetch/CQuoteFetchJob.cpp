#include "CQuoteFetchJob.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/QuoteFileLock.h"
#include "ctlkit/base/SafeName.h"
#include "ctlkit/http/CWebGrab.h"
#include "download/CYahooSource.h"
#include "download/QuoteMerge.h"
#include "download/QuoteQuery.h"
#include "quotes/QuoteAnswerCheck.h"
#include "quotes/QuoteFileFormat.h"
#include "quotes/QuoteLineDate.h"
#include <climits>
#include <ctime>
#include <filesystem>

namespace {
int64_t LocalMidnightOf(int64_t time) {
    const time_t t = static_cast<time_t>(time);
    std::tm local{};
    localtime_r(&t, &local);
    return LocalMidnightSeconds(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
} // namespace

CQuoteFetchJob::CQuoteFetchJob()
    : m_startDate(RenewalQueryStartDate()), m_requestTime(std::time(nullptr)) {}

std::string CQuoteFetchJob::QuoteFilePath() const {
    return m_dataFolder + m_market + "/" + m_ticker + ".csv";
}

void CQuoteFetchJob::execute() {
    Report(Run());
}

CQuoteFetchJob::EOutcome CQuoteFetchJob::Run() {
    if (cancelRequested()) return EOutcome::Cancelled;
    // Names from the selection file become path parts.
    if (!IsSafePathPart(m_market) || !IsSafePathPart(m_ticker)) return EOutcome::CannotWrite;
    std::error_code error;
    std::filesystem::create_directories(m_dataFolder + m_market, error);
    if (error) return EOutcome::CannotWrite;
    const std::string path = QuoteFilePath();
    // Without the lock (a folder that cannot be written) no file could be written either.
    QuoteFileLock lock(path, QuoteFileLock::EMode::Exclusive);
    if (!lock.Locked()) return EOutcome::CannotWrite;

    SPreviousQuoteFile previous;
    if (std::filesystem::exists(path, error)) {
        std::string text;
        if (!ReadWholeFile(path, text)) return EOutcome::CannotWrite;
        previous = ReadPreviousQuoteFile(text);
        // Another kind of file is never overwritten with quotes.
        if (!previous.ok) return EOutcome::CannotWrite;
        m_renewal = true;
        m_previousLines = previous.lines;
        if (previous.hasNewestDay) m_startDate = previous.newestDay;
    }
    if (m_renewal && previous.hasNewestDay && m_startDate >= LocalMidnightOf(m_requestTime))
        return EOutcome::NothingNew;

    CWebGrab grab;
    m_proxy.ApplyTo(grab);
    grab.SetTimeOut(m_timeOut);
    grab.SetCancelFlag(&cancelFlag());
    if (!m_source) m_source = std::make_shared<CYahooSource>(m_server);
    const CQuoteSource& source = *m_source;
    const std::string url = source.BuildQuery(m_ticker, m_startDate, m_requestTime);
    std::string answer;
    bool fetched;
    if (m_renewal && source.NewestFirst()) {
        // A file without quotes has no newest day: everything received is new.
        grab.m_timeCutoff = previous.hasNewestDay ? previous.newestDay : INT64_MIN;
        grab.SetLineDateReader(source.LineDateReader());
        fetched = grab.GetData(url, answer, nullptr, m_status.get());
    } else {
        fetched = grab.GetFile(url, answer, nullptr, m_status.get());
    }
    if (cancelRequested()) return EOutcome::Cancelled;
    // Whatever came before a broken transfer is not used.
    if (!fetched) return EOutcome::NoAnswer;
    switch (source.Classify(grab.GetPageStatusCode(), answer)) {
    case EQuoteAnswerKind::Quotes:
        break;
    case EQuoteAnswerKind::NoAnswer:
        return EOutcome::NoAnswer;
    default:
        return EOutcome::NotQuotes;
    }
    bool cutShort = grab.StoppedEarly();
    if (!source.KeepsAnswerAsReceived()) {
        // A reading stopped early ends inside a line: the fragment is no day.
        if (cutShort)
            answer.erase(
                answer.find_last_of('\n') == std::string::npos ? 0 : answer.find_last_of('\n') + 1);
        SQuoteConversion converted = source.ToQuoteLines(answer);
        if (!converted.ok) return EOutcome::NotQuotes;
        answer = std::move(converted.text);
        cutShort = false;
    }

    if (!m_renewal) {
        // Kept as it came, but only when the chart's reader would read all of it.
        SPreviousQuoteFile received = ReadPreviousQuoteFile(answer);
        if (!received.ok || !CheckQuoteAnswer(answer)) return EOutcome::NotQuotes;
        m_newLines = std::move(received.lines);
        if (!WriteFileAtomically(path, answer)) return EOutcome::CannotWrite;
        return m_newLines.empty() ? EOutcome::NothingNew : EOutcome::Done;
    }
    SReceivedQuotes received = MergeReceivedQuotes(answer, previous, cutShort);
    if (received.result != EMergeResult::Ok) return EOutcome::NotQuotes;
    m_newLines = std::move(received.newLines);
    // Nothing new: the file stays exactly as it is.
    if (m_newLines.empty()) return EOutcome::NothingNew;
    if (!WriteFileAtomically(path, ComposeRenewedFile(m_newLines, m_previousLines)))
        return EOutcome::CannotWrite;
    return EOutcome::Done;
}

void CQuoteFetchJob::Report(EOutcome outcome) {
    m_outcome = outcome;
    if (!m_notify || outcome == EOutcome::Cancelled) return;
    SWindowMessage message;
    message.wText = m_ticker;
    message.lText = m_market;
    switch (outcome) {
    case EOutcome::Done:
    case EOutcome::NothingNew:
        message.message = WM_FETCH_DONE;
        message.lParam = outcome == EOutcome::Done ? static_cast<intptr_t>(m_newLines.size()) : 0;
        m_notify->SendMessage(message);
        return;
    case EOutcome::NoAnswer:
        message.message = WM_FETCH_FAILED;
        message.wParam = kFetchNoAnswer;
        m_notify->SendMessage(message);
        return;
    case EOutcome::NotQuotes:
    case EOutcome::CannotWrite:
        message.message = WM_FETCH_FAILED;
        message.wParam = outcome == EOutcome::NotQuotes ? kFetchNotQuotes : kFetchCannotWrite;
        m_notify->PostMessage(message);
        return;
    case EOutcome::Pending:
    case EOutcome::Cancelled:
        return;
    }
}
