#pragma once
#include <string>
#include <sys/types.h>

// The test suite's HTTP server (quote_server.py) in a child process on 127.0.0.1: started by
// the constructor over `root` (quote files in root/quotes, market lists in root/mklist),
// killed by the destructor.
class CTestServer {
public:
    explicit CTestServer(const std::string& root);
    ~CTestServer();
    CTestServer(const CTestServer&) = delete;
    CTestServer& operator=(const CTestServer&) = delete;

    bool Started() const { return m_port > 0; }
    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>"
    std::string BaseUrl() const;
    const std::string& Root() const { return m_root; }

    // The fault of the next `count` requests (-1: until changed); "none" clears it.
    void SetFault(const std::string& mode, int count = -1);
    void Reset();
    long BytesSent();
    long LastBytes();
    long Requests();
    long Proxied();
    std::string LastPath();
    std::string LastAgent();

    // Writes root/quotes/<ticker>.csv or root/mklist/<name>.
    void PutQuotes(const std::string& ticker, const std::string& text);
    void PutMarketList(const std::string& name, const std::string& text);
    // The answer of the stooq form for symbol `symbol` (root/stooq/<symbol>, served as
    // written but for the ISO-dated lines outside d1 ... d2; a missing one answers "No data")
    // or of the alphavantage form (root/alphavantage/<symbol>, served as written; "compact"
    // keeps the first 100 dated lines; a missing one answers the "Invalid API call" note).
    void PutStooqAnswer(const std::string& symbol, const std::string& text);
    void PutAlphaVantageAnswer(const std::string& symbol, const std::string& text);

    // A GET over a plain socket (not the code under test); the body, empty on failure.
    std::string Get(const std::string& pathAndQuery);

private:
    std::string Stat(const std::string& key);

    std::string m_root;
    pid_t m_pid = -1;
    int m_port = 0;
};

// A new empty folder under the temporary folder.
std::string MakeTempFolder(const std::string& tag);
// Removes a folder tree.
void RemoveTree(const std::string& path);
// A loopback port on which nothing listens (connections are refused).
int UnusedPort();
// Writes a file (the folder must exist); false on failure.
bool WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
