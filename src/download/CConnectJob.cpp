#include "CConnectJob.h"
#include "ctlkit/http/CWebGrab.h"

CConnectJob::~CConnectJob() {
    Finish(EJobResult::Cancelled);
}

void CConnectJob::discard() {
    Finish(EJobResult::Cancelled);
}

void CConnectJob::Finish(EJobResult result) {
    if (m_result) m_result->Set(result);
}

void CConnectJob::execute() {
    if (cancelRequested()) return Finish(EJobResult::Cancelled);
    CWebGrab grab;
    m_proxy.ApplyTo(grab);
    grab.SetTimeOut(m_timeOut);
    grab.SetCancelFlag(&cancelFlag());
    std::string text;
    bool connected = grab.CheckConnect(m_address, text);
    if (cancelRequested()) return Finish(EJobResult::Cancelled);
    if (m_notify) {
        SWindowMessage message;
        message.message = WM_CONNECT_CHECKED;
        message.wParam = connected ? 1 : 0;
        m_notify->SendMessage(message);
    }
    Finish(connected ? EJobResult::Done : EJobResult::Failed);
}
