#include "CMarketListJob.h"
#include "CSymbolDatabase.h"
#include "QuoteQuery.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/SafeName.h"
#include "ctlkit/http/CWebGrab.h"
#include <chrono>
#include <cstring>
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

void CMarketListJob::execute() {
    if (m_marketName.empty() || !IsSafePathPart(m_marketName)) return Report(kMarketListFailed);
    std::string address = m_baseAddress + UrlEncode(m_marketName) + ".txt";
    for (int i = 0; i < 20 && !cancelRequested(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (cancelRequested() || DialogGone()) return Report(kMarketListCancelled);

    CWebGrab grab;
    m_proxy.ApplyTo(grab);
    grab.SetTimeOut(m_timeOut);
    grab.SetCancelFlag(&cancelFlag());
    std::string text;
    bool fetched = grab.GetFile(address, text, nullptr, m_progressDialog.get());
    if (cancelRequested() || DialogGone()) return Report(kMarketListCancelled);

    const char* header = CSymbolDatabase::kListHeader;
    bool isList = fetched && grab.GetPageStatusCode() == 200 &&
                  text.compare(0, std::strlen(header), header) == 0;
    if (!isList) return Report(kMarketListFailed);
    // A list that cannot be kept is a failed update of that market, not a stalled loop.
    if (!WriteFileAtomically(m_targetFolder + m_marketName, text)) return Report(kMarketListFailed);
    Report(kMarketListSaved);
}
