#include "CQuoteJob.h"
#include "CYahooSource.h"
#include "QuoteQuery.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/QuoteFileLock.h"
#include "ctlkit/base/SafeName.h"
#include "ctlkit/http/CWebGrab.h"
#include "ctlkit/lang/CLanguage.h"
#include "quotes/QuoteAnswerCheck.h"
#include "quotes/QuoteFileFormat.h"
#include <filesystem>

namespace {
// A name from outside, fit to be shown in a message.
std::string Printable(const std::string& name) {
    std::string shown;
    for (unsigned char c : name.substr(0, 80)) shown += (c < 0x20 || c == 0x7F) ? '?' : c;
    return shown;
}
} // namespace

CQuoteJob::CQuoteJob() = default;

CQuoteJob::~CQuoteJob() {
    // A job deleted without having run still ends with its one result.
    Finish(EJobResult::Cancelled);
}

void CQuoteJob::discard() {
    Finish(EJobResult::Cancelled);
}

std::string CQuoteJob::QuoteFilePath() const {
    return m_dataFolder + m_market + "/" + m_ticker + ".csv";
}

void CQuoteJob::Finish(EJobResult result) {
    if (m_result) m_result->Set(result);
}

void CQuoteJob::Show(const std::string& text) {
    // A message ends the job: the file is not held while the user reads it.
    m_fileLock.reset();
    if (m_notify) m_notify->ShowMessage(text);
}

void CQuoteJob::ShowString(unsigned id) {
    Show(CLanguage::TranslateString(id).value_or(""));
}

bool CQuoteJob::NamesAreSafe() {
    if (!IsSafePathPart(m_market)) {
        Show("The market code \"" + Printable(m_market) + "\" cannot be used as a folder name.");
        return false;
    }
    if (!IsSafePathPart(m_ticker)) {
        Show("The stock symbol \"" + Printable(m_ticker) + "\" cannot be used as a file name.");
        return false;
    }
    return true;
}

bool CQuoteJob::Cancelled() {
    if (cancelRequested() || (m_userCancel && m_userCancel->load())) return true;
    return m_progress && m_progress->IsCancelled();
}

void CQuoteJob::CloseDialog() {
    if (m_progress) m_progress->Close();
}

void CQuoteJob::NotifyWritten() {
    if (!m_notify) return;
    SWindowMessage message;
    message.message = WM_QUOTE_DOWNLOADED;
    message.wText = m_ticker;
    message.lText = m_market;
    m_notify->SendMessage(message);
}

CFileResult CQuoteJob::WriteQuoteFile(const std::string& text) {
    std::error_code error;
    std::filesystem::create_directories(m_dataFolder + m_market, error);
    if (m_fileLock) {
        CFileResult written = WriteFileAtomically(QuoteFilePath(), text);
        // Released before the window hears of the file, since it reloads it at once.
        m_fileLock.reset();
        return written;
    }
    // Without the lock file no file can be made in the folder either: the write reports why.
    QuoteFileLock lock(QuoteFilePath(), QuoteFileLock::EMode::Exclusive);
    return WriteFileAtomically(QuoteFilePath(), text);
}

bool CQuoteJob::LockQuoteFile() {
    if (m_fileLock) return true;
    auto lock = std::make_unique<QuoteFileLock>(QuoteFilePath(), QuoteFileLock::EMode::Exclusive);
    if (!lock->Locked()) return false;
    m_fileLock = std::move(lock);
    return true;
}

const CQuoteSource& CQuoteJob::Source() {
    if (!m_source) m_source = std::make_shared<CYahooSource>(m_server);
    return *m_source;
}

CQuoteJob::ETransfer CQuoteJob::Transfer(const std::string& url, const int64_t* cutoff,
                                         std::string& text, bool& cutShort) {
    if (m_progressFactory) m_progress = m_progressFactory(getID());
    if (m_progress) {
        m_progress->SetTitle(m_ticker +
                             CLanguage::TranslateString(97).value_or(" Data DownLoading running"));
        m_userCancel = m_progress->CancelFlag();
    }
    CWebGrab grab;
    m_proxy.ApplyTo(grab);
    grab.SetTimeOut(m_timeOut);
    // "Cancel" in the dialog ends the transfer at once, as the queue going away does.
    grab.SetCancelFlags(&cancelFlag(), m_userCancel.get());
    const CQuoteSource& source = Source();
    bool fetched;
    if (cutoff && source.NewestFirst()) {
        grab.m_timeCutoff = *cutoff;
        grab.SetLineDateReader(source.LineDateReader());
        fetched = grab.GetData(url, text, nullptr, m_progress.get());
    } else {
        fetched = grab.GetFile(url, text, nullptr, m_progress.get());
    }
    cutShort = grab.StoppedEarly();
    if (Cancelled()) {
        CloseDialog();
        return ETransfer::Cancelled;
    }
    // A transfer that failed part-way is not used, whatever it brought.
    const EQuoteAnswerKind kind =
        fetched ? source.Classify(grab.GetPageStatusCode(), text) : EQuoteAnswerKind::NoAnswer;
    if (kind == EQuoteAnswerKind::NoAnswer) {
        CloseDialog();
        ShowString(2);
        return ETransfer::Failed;
    }
    if (kind != EQuoteAnswerKind::Quotes) {
        CloseDialog();
        const std::string message = source.RefusalMessage(kind, grab.GetPageStatusCode());
        if (message.empty())
            ShowString(3);
        else
            Show(message);
        return ETransfer::Failed;
    }
    if (source.KeepsAnswerAsReceived()) return ETransfer::Received;
    // A reading stopped early ends inside a line: the fragment is no day.
    if (cutShort) {
        const size_t lastFeed = text.find_last_of('\n');
        text.erase(lastFeed == std::string::npos ? 0 : lastFeed + 1);
    }
    SQuoteConversion converted = source.ToQuoteLines(text);
    if (!converted.ok) {
        CloseDialog();
        Show(converted.message);
        return ETransfer::Failed;
    }
    text = std::move(converted.text);
    cutShort = false;
    return ETransfer::Received;
}

bool CQuoteJob::AnswerReadsWhole(const std::string& text) {
    const SQuoteAnswerCheck check = CheckQuoteAnswer(text);
    if (check) return true;
    CloseDialog();
    if (check.verdict == EQuoteAnswer::UnknownMonth) Show(std::string(kUnknownMonthMessage));
    Show(RefusedAnswerMessage(check));
    return false;
}
