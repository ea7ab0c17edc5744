#pragma once
#include <cstdint>
#include <string>

class CStatusTextSink;
typedef void CURL;

// The HTTP client session of a CWebGrab: one libcurl easy handle (kept between fetches, so
// connections are reused), the status window of the current fetch and the last status text.
// Used by one thread at a time, the job's.
class CWebGrabSession {
public:
    // Platform notification codes that OnStatusCallback turns into texts.
    enum : unsigned long {
        kResolvingName = 10,
        kNameResolved = 11,
        kConnectingToServer = 20,
        kConnectedToServer = 21,
        kSendingRequest = 30,
        kRequestSent = 31,
        kReceivingResponse = 40,
        kResponseReceived = 41,
        kClosingConnection = 50,
        kConnectionClosed = 51,
        kHandleCreated = 60,
        kHandleClosing = 70,
        kRequestComplete = 100,
    };
    // The asynchronous result that comes with kRequestComplete.
    struct SAsyncResult {
        uint32_t dwResult;
        uint32_t dwError;
    };

    // `agent` null: the program's name.
    explicit CWebGrabSession(const char* agent);
    CWebGrabSession(const char* agent, CStatusTextSink* statusWnd);
    ~CWebGrabSession();
    CWebGrabSession(const CWebGrabSession&) = delete;
    CWebGrabSession& operator=(const CWebGrabSession&) = delete;

    // False when the client could not be created.
    bool IsOpen() const { return m_curl != nullptr; }
    CURL* Handle() const { return m_curl; }
    const std::string& Agent() const { return m_agent; }

    void SetStatusWnd(CStatusTextSink* statusWnd) { m_statusWnd = statusWnd; }
    CStatusTextSink* StatusWnd() const { return m_statusWnd; }

    // Formats into a 512-byte buffer (at most 511 characters), keeps the text as the last
    // status text and shows it in the status window, if any.
    void SetStatus(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void ClearStatus();
    const std::string& GetErrorMessage() const { return m_status; }

    // Maps a notification to its status text (some leave the text as it is).
    void OnStatusCallback(unsigned long context, unsigned long status, const void* information,
                          unsigned long length);

    // What Initialise decided; applied to every fetch of this session.
    std::string proxy;      // "server:port", empty for a direct connection
    uint32_t timeoutMs = 0; // 0: the default receive time-out

private:
    void Show();

    CURL* m_curl = nullptr;
    std::string m_agent;
    CStatusTextSink* m_statusWnd = nullptr;
    std::string m_status;
};
