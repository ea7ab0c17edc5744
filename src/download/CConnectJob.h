#pragma once
#include "SProxyValues.h"
#include "ctlkit/jobs/CJob.h"
#include "ctlkit/jobs/CJobResult.h"
#include "ctlkit/jobs/CMessageTarget.h"
#include <memory>
#include <string>

// The connection check: reads the first piece of a well-known page and sends
// WM_CONNECT_CHECKED (wParam 1 when at least one byte came, else 0) to the window that
// queued it, when there is one.
class CConnectJob : public CJob {
public:
    ~CConnectJob() override;

    void SetAddress(std::string address) { m_address = std::move(address); }
    void SetNotifyWindow(std::shared_ptr<CMessageTarget> window) { m_notify = std::move(window); }
    void SetProxy(SProxyValues proxy) { m_proxy = std::move(proxy); }
    void SetTimeOut(uint32_t milliseconds) { m_timeOut = milliseconds; }
    // Done with a connection, Failed without one, Cancelled when the queue stopped it.
    void SetResult(std::shared_ptr<CJobResult> result) { m_result = std::move(result); }

    void execute() override;
    void discard() override;

private:
    void Finish(EJobResult result);

    std::string m_address;
    std::shared_ptr<CMessageTarget> m_notify;
    SProxyValues m_proxy;
    uint32_t m_timeOut = 0;
    std::shared_ptr<CJobResult> m_result;
};
