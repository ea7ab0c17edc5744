#include "CRenewJob.h"
#include "QuoteMerge.h"
#include "QuoteQuery.h"
#include "ctlkit/base/AtomicFile.h"
#include <climits>
#include <ctime>

namespace {
constexpr const char* kNoPreviousFile = "Can not open the previous data file.";
} // namespace

CFileResult CRenewJob::ReadPrevious() {
    std::string text;
    if (!ReadWholeFile(QuoteFilePath(), text))
        return CFileResult::Failure(CFileResult::EKind::CannotOpen, kNoPreviousFile);
    SPreviousQuoteFile previous = ReadPreviousQuoteFile(text);
    if (!previous.ok) return CFileResult::Failure(CFileResult::EKind::WrongType, kNoPreviousFile);
    m_previousLines = std::move(previous.lines);
    m_hasNewestLocalDay = previous.hasNewestDay;
    m_newestLocalDay = previous.newestDay;
    return {};
}

bool CRenewJob::Merge(const std::string& text, bool cutShort) {
    SPreviousQuoteFile previous;
    previous.ok = true;
    previous.hasNewestDay = m_hasNewestLocalDay;
    previous.newestDay = m_newestLocalDay;
    SReceivedQuotes received = MergeReceivedQuotes(text, previous, cutShort);
    if (received.result != EMergeResult::Ok) CloseDialog();
    if (received.result == EMergeResult::UnknownMonth) Show("Unkonwn data file format.");
    if (received.result == EMergeResult::Gap)
        Show("Cannot renew data of the selected stock.Please use \"redownload\" button.");
    if (received.result != EMergeResult::Ok) {
        Show("Error downloaded data file format.");
        return false;
    }
    m_newLines = std::move(received.newLines);
    return true;
}

void CRenewJob::execute() {
    if (cancelRequested()) return Finish(EJobResult::Cancelled);
    if (!NamesAreSafe()) return Finish(EJobResult::Failed);
    // Held to the end of the job: another writer of this file waits until the merged file
    // is in place, so neither loses the other's days. When it cannot be taken the folder
    // is not writable, and the write below fails with its message.
    LockQuoteFile();
    // Without the previous file there is nothing to renew: no transfer is started.
    if (const CFileResult previous = ReadPrevious(); !previous) {
        Show(previous.message());
        return Finish(EJobResult::Failed);
    }
    // A source that answers oldest first cannot be cut off: it is asked from the newest day.
    m_queryStart =
        m_hasNewestLocalDay ? Source().RenewalStart(m_newestLocalDay) : RenewalQueryStartDate();
    std::string url = Source().BuildQuery(Ticker(), m_queryStart, std::time(nullptr));
    // A file without quotes has no newest day: everything received is new.
    int64_t cutoff = m_hasNewestLocalDay ? m_newestLocalDay : INT64_MIN;
    std::string text;
    bool cutShort = false;
    switch (Transfer(url, &cutoff, text, cutShort)) {
    case ETransfer::Cancelled:
        return Finish(EJobResult::Cancelled);
    case ETransfer::Failed:
        return Finish(EJobResult::Failed);
    case ETransfer::Received:
        break;
    }
    if (!Merge(text, cutShort)) {
        CloseDialog();
        return Finish(EJobResult::Failed);
    }
    if (!WriteQuoteFile(ComposeRenewedFile(m_newLines, m_previousLines))) {
        CloseDialog();
        Show("Can not saving the new data file.");
        return Finish(EJobResult::Failed);
    }
    if (Cancelled()) {
        CloseDialog();
        return Finish(EJobResult::Cancelled);
    }
    NotifyWritten();
    CloseDialog();
    Finish(EJobResult::Done);
}
