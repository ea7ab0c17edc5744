#include "CWebGrab.h"
#include "CWebGrabSession.h"
#include "ctlkit/base/CStringFile.h"
#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <curl/curl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr size_t kMaxErrorText = 255;

using Clock = std::chrono::steady_clock;

CWebGrabSession* SessionOf(void* user) {
    return static_cast<CWebGrabSession*>(user);
}

curl_socket_t OnOpenSocket(void* user, curlsocktype, curl_sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = "";
    if (address->family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(&address->addr)->sin_addr, text,
                  sizeof text);
    else if (address->family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6*>(&address->addr)->sin6_addr, text,
                  sizeof text);
    CWebGrabSession* session = SessionOf(user);
    session->OnStatusCallback(1, CWebGrabSession::kNameResolved, text, 0);
    session->OnStatusCallback(1, CWebGrabSession::kConnectingToServer, nullptr, 0);
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

int OnCloseSocket(void* user, curl_socket_t socket) {
    CWebGrabSession* session = SessionOf(user);
    session->OnStatusCallback(1, CWebGrabSession::kClosingConnection, nullptr, 0);
    int result = ::close(socket);
    session->OnStatusCallback(1, CWebGrabSession::kConnectionClosed, nullptr, 0);
    return result;
}

int OnConnected(void* user, char*, char*, int, int) {
    CWebGrabSession* session = SessionOf(user);
    session->OnStatusCallback(1, CWebGrabSession::kConnectedToServer, nullptr, 0);
    session->OnStatusCallback(1, CWebGrabSession::kSendingRequest, nullptr, 0);
    return CURL_PREREQFUNC_OK;
}

// Loopback never goes through a proxy; the user's own exceptions are kept.
std::string NoProxyList() {
    std::string list = "localhost,127.0.0.1,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return list + "," + value;
    }
    return list;
}
} // namespace

struct CWebGrab::STransfer {
    CWebGrab* self = nullptr;
    CWebGrabSession* session = nullptr;
    std::string* result = nullptr;
    EMode mode = EMode::Whole;
    Clock::time_point start;
    std::string headers;
    bool headersSeen = false;
    bool requestSentShown = false;
    bool stopped = false; // the reading ended on purpose
    bool tooLarge = false;
    bool cancelled = false;
    char errorBuffer[CURL_ERROR_SIZE] = "";
};

namespace {
int OnDebug(CURL*, curl_infotype type, char*, size_t, void* user);
}

std::string CWebGrab::LibraryVersion() {
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    return info && info->version ? info->version : "";
}

CWebGrab::CWebGrab() : m_timeCutoff(static_cast<int64_t>(std::time(nullptr))) {}

CWebGrab::~CWebGrab() {
    Close();
}

bool CWebGrab::Initialise(const char* agent, CStatusTextSink* statusWnd) {
    Close();
    m_pageStatusCode = 0;
    auto session = std::make_unique<CWebGrabSession>(agent, statusWnd);
    if (!session->IsOpen()) return false;
    session->timeoutMs = m_timeOut;
    if (m_useProxy) session->proxy = m_proxyServer + ":" + std::to_string(m_proxyPort);
    m_session = std::move(session);
    return true;
}

void CWebGrab::Close() {
    m_session.reset();
}

void CWebGrab::SetProxy(std::string server, uint16_t port, bool useProxy) {
    m_proxyServer = std::move(server);
    m_proxyPort = port;
    m_useProxy = useProxy;
}

std::string CWebGrab::GetErrorMessage() const {
    return m_session ? m_session->GetErrorMessage() : std::string();
}

bool CWebGrab::GetFile(const std::string& url, std::string& result, const char* agent,
                       CStatusTextSink* statusWnd) {
    return Fetch(url, result, agent, statusWnd, EMode::Whole);
}

bool CWebGrab::GetData(const std::string& url, std::string& result, const char* agent,
                       CStatusTextSink* statusWnd) {
    return Fetch(url, result, agent, statusWnd, EMode::Cutoff);
}

bool CWebGrab::CheckConnect(const std::string& url, std::string& result, const char* agent,
                            CStatusTextSink* statusWnd) {
    return Fetch(url, result, agent, statusWnd, EMode::Connect);
}

void CWebGrab::Configure(STransfer& transfer, const std::string& url) {
    CURL* curl = m_session->Handle();
    uint32_t timeout = m_session->timeoutMs ? m_session->timeoutMs : kDefaultTimeOutMs;
    long seconds = static_cast<long>((timeout + 999) / 1000);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, m_session->Agent().c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, transfer.errorBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &CWebGrab::OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &CWebGrab::OnHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CWebGrab::OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &OnDebug);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_OPENSOCKETFUNCTION, &OnOpenSocket);
    curl_easy_setopt(curl, CURLOPT_OPENSOCKETDATA, m_session.get());
    curl_easy_setopt(curl, CURLOPT_CLOSESOCKETFUNCTION, &OnCloseSocket);
    curl_easy_setopt(curl, CURLOPT_CLOSESOCKETDATA, m_session.get());
    curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, &OnConnected);
    curl_easy_setopt(curl, CURLOPT_PREREQDATA, m_session.get());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeout));
    // The receive time-out: a server that sends nothing for that long is given up.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, seconds);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxResponseBytes));
    // Small reads let a renewal stop after the first pieces instead of the whole history.
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE,
                     transfer.mode == EMode::Whole ? long{CURL_MAX_WRITE_SIZE} : 1024L);
    std::string noProxy = NoProxyList();
    curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str());
    if (!m_session->proxy.empty()) {
        curl_easy_setopt(curl, CURLOPT_PROXY, m_session->proxy.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
    } else {
        // Null: the pre-configured proxy of the environment, if any.
        curl_easy_setopt(curl, CURLOPT_PROXY, nullptr);
    }
}

bool CWebGrab::Fetch(const std::string& url, std::string& result, const char* agent,
                     CStatusTextSink* statusWnd, EMode mode) {
    m_rawHeaders.clear();
    m_pageStatusCode = 0;
    m_stoppedEarly = false;
    m_unknownFormat = false;
    m_checkCarry.clear();
    result.clear();
    if (!m_session && !Initialise(agent, statusWnd)) return false;
    if (statusWnd) m_session->SetStatusWnd(statusWnd);

    STransfer transfer;
    transfer.self = this;
    transfer.session = m_session.get();
    transfer.result = &result;
    transfer.mode = mode;
    Configure(transfer, url);
    transfer.start = Clock::now();
    CURLcode code = curl_easy_perform(m_session->Handle());

    bool ok = false;
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        Fail("The answer is larger than 64 MB.", true);
    } else if (transfer.cancelled || code == CURLE_ABORTED_BY_CALLBACK) {
        Fail("The transfer was cancelled.", transfer.headersSeen);
    } else if (code != CURLE_OK && !(code == CURLE_WRITE_ERROR && transfer.stopped)) {
        Fail(transfer.errorBuffer[0] ? transfer.errorBuffer : curl_easy_strerror(code),
             transfer.headersSeen);
    } else if (mode == EMode::Connect) {
        ok = !result.empty();
    } else {
        long status = 0;
        curl_easy_getinfo(m_session->Handle(), CURLINFO_RESPONSE_CODE, &status);
        m_pageStatusCode = static_cast<unsigned long>(status);
        m_rawHeaders = transfer.headers;
        m_stoppedEarly = transfer.stopped;
        CWebGrabSession::SAsyncResult complete{1, 0};
        m_session->OnStatusCallback(1, CWebGrabSession::kRequestComplete, &complete,
                                    sizeof complete);
        m_session->ClearStatus();
        ok = true;
    }
    // The window belongs to this fetch; the next one may come after it is gone.
    m_session->SetStatusWnd(nullptr);
    curl_easy_setopt(m_session->Handle(), CURLOPT_ERRORBUFFER, nullptr);
    return ok;
}

void CWebGrab::Fail(const std::string& message, bool afterOpen) {
    std::string text = message.substr(0, kMaxErrorText);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    m_session->SetStatus("%s", text.c_str());
    if (afterOpen) m_lastError = text;
}

void CWebGrab::Progress(STransfer& transfer) {
    double elapsed = std::chrono::duration<double>(Clock::now() - transfer.start).count();
    long seconds = static_cast<long>(elapsed + 0.5);
    int total = static_cast<int>(transfer.result->size());
    if (seconds > 0) {
        m_rate = (transfer.result->size() / 1024.0) / static_cast<double>(seconds);
        m_session->SetStatus("Read %d bytes (%0.1f Kb/s)", total, m_rate);
    } else {
        m_rate = static_cast<double>(transfer.result->size());
        m_session->SetStatus("Read %d bytes", total);
    }
}

bool CWebGrab::TakePiece(STransfer& transfer, std::string_view piece) {
    if (transfer.result->size() + piece.size() > kMaxResponseBytes) {
        transfer.tooLarge = true;
        return false;
    }
    transfer.result->append(piece);
    Progress(transfer);
    if (transfer.mode == EMode::Connect || (transfer.mode == EMode::Cutoff && !CheckEnd(piece))) {
        transfer.stopped = true;
        return false;
    }
    return true;
}

bool CWebGrab::CheckEnd(std::string_view piece) {
    if (!m_lineDate) return true;
    size_t feed = piece.rfind('\n');
    if (feed == std::string_view::npos) {
        m_checkCarry.append(piece);
        return true;
    }
    std::string complete = m_checkCarry;
    complete.append(piece.substr(0, feed + 1));
    m_checkCarry.assign(piece.substr(feed + 1));

    CStringFile reader(&complete);
    std::string line;
    while (reader.ReadingLine(line)) {
        if (line.size() <= 19 || line[0] == '<') continue;
        int64_t date = 0;
        ELineDate read = m_lineDate(line, date);
        if (read == ELineDate::UnknownFormat) {
            m_unknownFormat = true;
            return false;
        }
        if (read == ELineDate::Dated && date < m_timeCutoff) return false;
    }
    return true;
}

size_t CWebGrab::OnBody(char* data, size_t size, size_t count, void* user) {
    auto& transfer = *static_cast<STransfer*>(user);
    CWebGrab& self = *transfer.self;
    if (self.CancelRequested()) {
        transfer.cancelled = true;
        return 0;
    }
    size_t limit = transfer.mode == EMode::Whole ? kWholeFileRead : kDataPiece;
    std::string_view rest(data, size * count);
    while (!rest.empty()) {
        std::string_view piece = rest.substr(0, limit);
        rest.remove_prefix(piece.size());
        if (!self.TakePiece(transfer, piece)) return 0;
    }
    return size * count;
}

size_t CWebGrab::OnHeader(char* data, size_t size, size_t count, void* user) {
    auto& transfer = *static_cast<STransfer*>(user);
    std::string_view line(data, size * count);
    CWebGrabSession& session = *transfer.self->m_session;
    if (line.substr(0, 5) == "HTTP/") {
        // A new answer (after a redirect or a 100 Continue): keep the last one's headers.
        if (transfer.headers.empty())
            session.OnStatusCallback(1, CWebGrabSession::kReceivingResponse, nullptr, 0);
        transfer.headers.clear();
    }
    transfer.headers.append(line);
    if (line == "\r\n" || line == "\n") {
        transfer.headersSeen = true;
        session.OnStatusCallback(1, CWebGrabSession::kResponseReceived, nullptr, 0);
    }
    return size * count;
}

int CWebGrab::OnProgress(void* user, int64_t, int64_t, int64_t, int64_t) {
    // libcurl calls this about once a second even while nothing arrives, so a cancel ends a
    // hanging transfer within that time.
    auto& transfer = *static_cast<STransfer*>(user);
    if (transfer.self->CancelRequested()) {
        transfer.cancelled = true;
        return 1;
    }
    return 0;
}

bool CWebGrab::CancelRequested() const {
    return (m_cancel && m_cancel->load()) || (m_userCancel && m_userCancel->load());
}

namespace {
int OnDebug(CURL*, curl_infotype type, char*, size_t, void* user) {
    auto* transfer = static_cast<CWebGrab::STransfer*>(user);
    if (type == CURLINFO_HEADER_OUT && !transfer->requestSentShown) {
        transfer->requestSentShown = true;
        transfer->session->OnStatusCallback(1, CWebGrabSession::kRequestSent, nullptr, 0);
    }
    return 0;
}
} // namespace
