#include "CWebGrabSession.h"
#include "ctlkit/jobs/CStatusTextSink.h"
#include <cstdarg>
#include <cstdio>
#include <curl/curl.h>
#include <mutex>

namespace {
void GlobalInitOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}
} // namespace

CWebGrabSession::CWebGrabSession(const char* agent) : CWebGrabSession(agent, nullptr) {}

CWebGrabSession::CWebGrabSession(const char* agent, CStatusTextSink* statusWnd)
    : m_agent(agent ? agent : "ZentriStock"), m_statusWnd(statusWnd) {
    GlobalInitOnce();
    m_curl = curl_easy_init();
    if (m_curl) OnStatusCallback(1, kHandleCreated, nullptr, 0);
}

CWebGrabSession::~CWebGrabSession() {
    // The window of the last fetch may be gone: closing notifications are not shown.
    m_statusWnd = nullptr;
    if (m_curl) curl_easy_cleanup(m_curl);
}

void CWebGrabSession::Show() {
    if (m_statusWnd) m_statusWnd->SetStatusText(m_status);
}

void CWebGrabSession::SetStatus(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    m_status = buffer;
    Show();
}

void CWebGrabSession::ClearStatus() {
    m_status.clear();
    Show();
}

void CWebGrabSession::OnStatusCallback(unsigned long context, unsigned long status,
                                       const void* information, unsigned long length) {
    const char* name = static_cast<const char*>(information);
    switch (status) {
    case kResolvingName:
        SetStatus("Resolving name for %s", name ? name : "");
        break;
    case kNameResolved:
        SetStatus("Resolved name for %s", name ? name : "");
        break;
    case kConnectingToServer:
        SetStatus("Connecting to socket address ");
        break;
    case kConnectedToServer:
        SetStatus("Connected to socket address");
        break;
    case kSendingRequest:
        SetStatus("Sending request...");
        break;
    case kRequestSent:
        SetStatus("Request sent");
        break;
    case kReceivingResponse:
        break;
    case kResponseReceived:
        SetStatus("Response received");
        break;
    case kClosingConnection:
        SetStatus("Closing the connection to the server");
        break;
    case kConnectionClosed:
        SetStatus("Connection to the server closed");
        break;
    case kHandleCreated:
        ClearStatus();
        break;
    case kHandleClosing:
        break;
    case kRequestComplete:
        if (information && length == sizeof(SAsyncResult)) {
            const auto* result = static_cast<const SAsyncResult*>(information);
            SetStatus("Request complete, dwResult = %8.8X, dwError = %8.8X", result->dwResult,
                      result->dwError);
        } else {
            SetStatus("Request complete");
        }
        break;
    default:
        SetStatus("Unknown status: %d", static_cast<int>(status));
        break;
    }
}
