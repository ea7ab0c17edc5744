#include "CTestServer.h"
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
// The first line the server prints is its port; 0 when none comes within the time-out.
int ReadPort(int fd) {
    std::string line;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char c;
        ssize_t n = ::read(fd, &c, 1);
        if (n <= 0) return 0;
        if (c == '\n') return std::atoi(line.c_str());
        line += c;
    }
    return 0;
}
} // namespace

CTestServer::CTestServer(const std::string& root) : m_root(root) {
    std::filesystem::create_directories(root + "/quotes");
    std::filesystem::create_directories(root + "/mklist");
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string script = ZS_TEST_SERVER_SCRIPT;
    std::string rootArg = root;
    char* argv[] = {const_cast<char*>("python3"), script.data(), const_cast<char*>("--root"),
                    rootArg.data(), nullptr};
    int rc = posix_spawnp(&m_pid, "python3", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        m_pid = -1;
        ::close(out[0]);
        return;
    }
    m_port = ReadPort(out[0]);
    ::close(out[0]);
}

CTestServer::~CTestServer() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
}

std::string CTestServer::BaseUrl() const {
    return "http://127.0.0.1:" + std::to_string(m_port);
}

std::string CTestServer::Get(const std::string& pathAndQuery) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return {};
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(m_port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        std::string request = "GET " + pathAndQuery + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
        if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size())) {
            char buffer[4096];
            ssize_t n;
            while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) answer.append(buffer, n);
        }
    }
    ::close(fd);
    size_t body = answer.find("\r\n\r\n");
    return body == std::string::npos ? std::string() : answer.substr(body + 4);
}

void CTestServer::SetFault(const std::string& mode, int count) {
    Get("/control/fault?mode=" + mode + "&count=" + std::to_string(count));
}

void CTestServer::Reset() {
    Get("/control/reset");
}

std::string CTestServer::Stat(const std::string& key) {
    std::istringstream stats(Get("/control/stats"));
    std::string line;
    while (std::getline(stats, line))
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
    return {};
}

long CTestServer::BytesSent() {
    return std::atol(Stat("bytes").c_str());
}
long CTestServer::LastBytes() {
    return std::atol(Stat("last_bytes").c_str());
}
long CTestServer::Requests() {
    return std::atol(Stat("requests").c_str());
}
long CTestServer::Proxied() {
    return std::atol(Stat("proxied").c_str());
}
std::string CTestServer::LastPath() {
    return Stat("last_path");
}
std::string CTestServer::LastAgent() {
    return Stat("last_agent");
}

void CTestServer::PutQuotes(const std::string& ticker, const std::string& text) {
    WriteTextFile(m_root + "/quotes/" + ticker + ".csv", text);
}

void CTestServer::PutStooqAnswer(const std::string& symbol, const std::string& text) {
    std::filesystem::create_directories(m_root + "/stooq");
    WriteTextFile(m_root + "/stooq/" + symbol, text);
}

void CTestServer::PutAlphaVantageAnswer(const std::string& symbol, const std::string& text) {
    std::filesystem::create_directories(m_root + "/alphavantage");
    WriteTextFile(m_root + "/alphavantage/" + symbol, text);
}

void CTestServer::PutMarketList(const std::string& name, const std::string& text) {
    WriteTextFile(m_root + "/mklist/" + name, text);
}

std::string MakeTempFolder(const std::string& tag) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zs-" + tag + "-XXXXXX";
    if (!::mkdtemp(pattern.data())) return {};
    return pattern;
}

void RemoveTree(const std::string& path) {
    std::error_code error;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    for (auto& entry : std::filesystem::recursive_directory_iterator(path, error))
        if (entry.is_directory(error))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path, error);
}

int UnusedPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    int port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
