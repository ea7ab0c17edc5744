#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CStatusTextSink;
class CWebGrabSession;

// Fetches one URL over HTTP into a string, with progress texts for an optional status window.
// Lives for one job on the job's stack; its session lives from the first fetch to Close.
//
// Every fetch gives TRUE with the bytes received and the page status code, or FALSE when the
// transfer failed: no connection, a time-out, an answer cut short of its announced length, a
// reset, an answer over kMaxResponseBytes, or a cancel request. After FALSE the result holds
// whatever came before the failure; callers must not use it. A status other than 200 is a
// TRUE fetch: callers judge GetPageStatusCode.
class CWebGrab {
public:
    // The version of the libcurl in use, as it names itself ("7.88.1").
    static std::string LibraryVersion();

    // Answers are refused beyond this size.
    static constexpr size_t kMaxResponseBytes = size_t{64} << 20;
    // Used when the time-out is 0: a silent server is given up after this long, as the
    // platform's client does, instead of being waited for forever.
    static constexpr uint32_t kDefaultTimeOutMs = 60000;
    static constexpr size_t kWholeFileRead = 4095;
    static constexpr size_t kDataPiece = 512;

    CWebGrab();
    ~CWebGrab();
    CWebGrab(const CWebGrab&) = delete;
    CWebGrab& operator=(const CWebGrab&) = delete;

    // GetData stops once a received line is dated before this (seconds since 1970); the
    // constructor sets it to the current time.
    int64_t m_timeCutoff;

    // How GetData's end check reads the date of one line; the format of the answer is the
    // caller's knowledge. Without a reader GetData reads the whole answer.
    enum class ELineDate { NotADate, Dated, UnknownFormat };
    using LineDateReader = ELineDate (*)(std::string_view line, int64_t& midnight);
    void SetLineDateReader(LineDateReader reader) { m_lineDate = reader; }

    bool Initialise(const char* agent = nullptr, CStatusTextSink* statusWnd = nullptr);
    void Close();

    // The whole resource, read in pieces of at most 4095 bytes.
    bool GetFile(const std::string& url, std::string& result, const char* agent = nullptr,
                 CStatusTextSink* statusWnd = nullptr);
    // In 512-byte pieces; stops early (still TRUE) after the piece in which a complete line
    // is dated before m_timeCutoff, or in which a line's date has an unknown format (an
    // unknown month name). Lines of 19 characters or fewer and lines of markup ("<") are
    // not judged.
    bool GetData(const std::string& url, std::string& result, const char* agent = nullptr,
                 CStatusTextSink* statusWnd = nullptr);
    // At most the first 512 bytes; TRUE when at least one byte came.
    bool CheckConnect(const std::string& url, std::string& result, const char* agent = nullptr,
                      CStatusTextSink* statusWnd = nullptr);

    void SetProxy(std::string server, uint16_t port, bool useProxy);
    void SetProxyServer(std::string server) { m_proxyServer = std::move(server); }
    void SetProxyPort(uint16_t port) { m_proxyPort = port; }
    void SetUseProxy(bool useProxy) { m_useProxy = useProxy; }
    // Milliseconds; takes effect at the next Initialise.
    void SetTimeOut(uint32_t milliseconds) { m_timeOut = milliseconds; }
    // A running transfer aborts (FALSE) once either flag is set: `job` is the job's own (the
    // queue is going away), `user` the progress dialog's "Cancel". Null for none; each flag
    // must outlive the transfers that watch it.
    void SetCancelFlags(const std::atomic<bool>* job, const std::atomic<bool>* user) {
        m_cancel = job;
        m_userCancel = user;
    }
    // The job's flag alone.
    void SetCancelFlag(const std::atomic<bool>* cancel) { m_cancel = cancel; }
    void SetUserCancelFlag(const std::atomic<bool>* cancel) { m_userCancel = cancel; }

    // The session's last status text, which holds the message of the last failure.
    std::string GetErrorMessage() const;
    // 1 when the last error string is non-empty (a later success does not clear it).
    short GetErrorCode() const { return m_lastError.empty() ? 0 : 1; }
    const std::string& GetLastError() const { return m_lastError; }
    double GetRate() const { return m_rate; }
    unsigned long GetPageStatusCode() const { return m_pageStatusCode; }
    const std::string& GetRawHeaders() const { return m_rawHeaders; }
    // After GetData: the reading stopped at the cut-off (or at an unknown month name), so the
    // last line of the result may be cut.
    bool StoppedEarly() const { return m_stoppedEarly; }
    // After GetData: a line had an unknown month name ("Unkonwn data file format.").
    bool UnknownFormatSeen() const { return m_unknownFormat; }

    // The state of one fetch, for the client's callbacks.
    struct STransfer;

private:
    enum class EMode { Whole, Cutoff, Connect };

    bool Fetch(const std::string& url, std::string& result, const char* agent,
               CStatusTextSink* statusWnd, EMode mode);
    void Configure(STransfer& transfer, const std::string& url);
    void Progress(STransfer& transfer);
    // Takes one piece of the body; false to stop reading.
    bool TakePiece(STransfer& transfer, std::string_view piece);
    bool CheckEnd(std::string_view piece);
    void Fail(const std::string& message, bool afterOpen);

    static size_t OnBody(char* data, size_t size, size_t count, void* user);
    static size_t OnHeader(char* data, size_t size, size_t count, void* user);
    static int OnProgress(void* user, int64_t, int64_t, int64_t, int64_t);
    bool CancelRequested() const;

    std::unique_ptr<CWebGrabSession> m_session;
    uint32_t m_timeOut = 0;
    bool m_useProxy = false;
    unsigned long m_pageStatusCode = 0;
    double m_rate = 0;
    std::string m_lastError;
    std::string m_proxyServer;
    std::string m_rawHeaders;
    uint16_t m_proxyPort = 0;
    const std::atomic<bool>* m_cancel = nullptr;
    const std::atomic<bool>* m_userCancel = nullptr;
    LineDateReader m_lineDate = nullptr;
    bool m_stoppedEarly = false;
    bool m_unknownFormat = false;
    // The end check judges complete lines only: a line cut by a piece boundary waits here.
    std::string m_checkCarry;
};
