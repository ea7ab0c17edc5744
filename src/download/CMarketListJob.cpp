#include "CMarketListJob.h"
#include "CSymbolDatabase.h"
#include "CSymbolDirectory.h"
#include "QuoteQuery.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/SafeName.h"
#include "ctlkit/http/CWebGrab.h"
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

CMarketListJob::~CMarketListJob() {
    if (m_result) m_result->Set(EJobResult::Cancelled);
}

void CMarketListJob::discard() {
    if (m_result) m_result->Set(EJobResult::Cancelled);
}

bool CMarketListJob::DialogGone() {
    return m_progressDialog && !m_progressDialog->IsVisible();
}

void CMarketListJob::Report(intptr_t result) {
    if (m_result)
        m_result->Set(result == kMarketListSaved       ? EJobResult::Done
                      : result == kMarketListCancelled ? EJobResult::Cancelled
                                                       : EJobResult::Failed);
    if (m_reported || !m_notify) return;
    m_reported = true;
    SWindowMessage message;
    message.message = WM_MARKETLIST_DONE;
    message.wText = m_marketName;
    message.lParam = result;
    m_notify->SendMessage(message);
}

std::string CMarketListJob::LocalPath(const std::string& address) {
    constexpr std::string_view kFile = "file://";
    if (address.compare(0, kFile.size(), kFile) == 0) {
        const std::string path = address.substr(kFile.size());
        return !path.empty() && path[0] == '/' ? path : std::string();
    }
    return !address.empty() && address[0] == '/' ? address : std::string();
}

bool CMarketListJob::Fetch(const std::string& address, std::string& text) {
    if (const std::string path = LocalPath(address); !path.empty()) {
        // A pipe or a device would never end or never fit.
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) return false;
        const auto size = std::filesystem::file_size(path, error);
        return !error && size <= kMaxListBytes && ReadWholeFile(path, text).ok();
    }
    CWebGrab grab;
    m_proxy.ApplyTo(grab);
    grab.SetTimeOut(m_timeOut);
    grab.SetCancelFlag(&cancelFlag());
    return grab.GetFile(address, text, nullptr, m_progressDialog.get()) &&
           grab.GetPageStatusCode() == 200;
}

void CMarketListJob::execute() {
    if (m_marketName.empty() || !IsSafePathPart(m_marketName)) return Report(kMarketListFailed);
    const std::string address =
        m_address.empty() ? m_baseAddress + UrlEncode(m_marketName) + ".txt" : m_address;
    for (int i = 0; i < 20 && !cancelRequested(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (cancelRequested() || DialogGone()) return Report(kMarketListCancelled);

    std::string text;
    const bool fetched = Fetch(address, text);
    if (cancelRequested() || DialogGone()) return Report(kMarketListCancelled);

    if (!fetched || CSymbolDirectory::FormOf(text) == ESymbolListForm::Unknown)
        return Report(kMarketListFailed);
    // A list that cannot be kept is a failed update of that market, not a stalled loop.
    if (!WriteFileAtomically(m_targetFolder + m_marketName, text)) return Report(kMarketListFailed);
    Report(kMarketListSaved);
}
