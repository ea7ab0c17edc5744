#pragma once
#include "CMarketUpdateSink.h"
#include "SProxyValues.h"
#include "ctlkit/jobs/CJob.h"
#include "ctlkit/jobs/CJobResult.h"
#include "ctlkit/jobs/CMessageTarget.h"
#include <memory>
#include <string>

// Results of a market list job in WM_MARKETLIST_DONE's lParam.
inline constexpr intptr_t kMarketListFailed = 0;
inline constexpr intptr_t kMarketListSaved = 1;
// The user closed the update dialog: nothing was written.
inline constexpr intptr_t kMarketListCancelled = 2;

// Fetches the symbol list of one market (<base address><market>.txt, or the address given
// for it: a web address, or a local file as an absolute path or a "file://" address) and,
// when it begins with "Symbol\tDescription" or is a symbol directory (CSymbolDirectory),
// keeps it as <target folder><market>; then sends
// WM_MARKETLIST_DONE with the market name and the result to the name bar. Every way out
// sends that message, so the update loop never waits in vain.
class CMarketListJob : public CJob {
public:
    ~CMarketListJob() override;

    void SetMarketName(std::string market) { m_marketName = std::move(market); }
    // With a trailing "/".
    void SetTargetFolder(std::string folder) { m_targetFolder = std::move(folder); }
    void SetProgressDialog(std::shared_ptr<CMarketUpdateSink> dialog) {
        m_progressDialog = std::move(dialog);
    }
    void SetNotifyWindow(std::shared_ptr<CMessageTarget> window) { m_notify = std::move(window); }
    // The folder of the lists on the maker's site, ending in "/download/mklist/".
    void SetBaseAddress(std::string address) { m_baseAddress = std::move(address); }
    // The list's own address in place of <base address><market>.txt.
    void SetAddress(std::string address) { m_address = std::move(address); }
    // The local file an address names ("file:///x" or "/x"), or "" for any other address.
    static std::string LocalPath(const std::string& address);
    // Lists larger than this are refused.
    static constexpr std::size_t kMaxListBytes = 256u << 20;
    void SetProxy(SProxyValues proxy) { m_proxy = std::move(proxy); }
    void SetTimeOut(uint32_t milliseconds) { m_timeOut = milliseconds; }
    void SetResult(std::shared_ptr<CJobResult> result) { m_result = std::move(result); }

    void execute() override;
    void discard() override;

private:
    bool DialogGone();
    bool Fetch(const std::string& address, std::string& text);
    void Report(intptr_t result);

    std::string m_marketName;
    std::string m_targetFolder;
    std::shared_ptr<CMarketUpdateSink> m_progressDialog;
    std::shared_ptr<CMessageTarget> m_notify;
    std::string m_baseAddress;
    std::string m_address;
    SProxyValues m_proxy;
    uint32_t m_timeOut = 0;
    std::shared_ptr<CJobResult> m_result;
    bool m_reported = false;
};
