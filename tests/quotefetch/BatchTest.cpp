#include "FetchTestSupport.h"
#include "quotefetch/CInstanceLock.h"
#include "quotefetch/SSelectedStock.h"
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
struct SBatchResult {
    int status = -1;
    long pid = 0;
    std::string out, err;
};

// Runs the program with `arguments`, without a display, its output caught in files.
SBatchResult RunProgram(const std::string& folder, const std::vector<std::string>& arguments) {
    const std::string program = ZS_QUOTEFETCH_PATH;
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
            entry.rfind("ZENTRISTOCK_HOME=", 0) == 0)
            continue;
        env.push_back(entry);
    }
    std::vector<char*> envp;
    for (auto& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    const std::string outPath = folder + "/out.txt", errPath = folder + "/err.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    SBatchResult result;
    pid_t child = -1;
    if (::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        result.pid = child;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = ReadTextFile(outPath);
    result.err = ReadTextFile(errPath);
    return result;
}

const std::vector<std::string> kService = WeekdayLines(2005, 1, 11, 400);
} // namespace

class Batch : public ::testing::Test {
public:
    void SetUp() override {
        home = MakeTempFolder("batch");
        scratch = MakeTempFolder("batchout");
        std::filesystem::create_directories(home + "/System");
        server = std::make_unique<CTestServer>(home + "/server");
        ASSERT_TRUE(server->Started());
        server->PutQuotes("AAA", QuoteText(kService));
        server->PutQuotes("CCC", QuoteText(kService));
    }
    void TearDown() override {
        server.reset();
        RemoveTree(home);
        RemoveTree(scratch);
    }
    void Select(const std::vector<SSelectedStock>& stocks) {
        ASSERT_TRUE(WriteSelectionFile(home + "/System/downloader.dat", stocks).ok());
    }
    SBatchResult Run(std::vector<std::string> extra = {}) {
        std::vector<std::string> words = {"--batch", "--home", home, "--server", server->BaseUrl()};
        words.insert(words.end(), extra.begin(), extra.end());
        return RunProgram(scratch, words);
    }

    std::string home, scratch;
    std::unique_ptr<CTestServer> server;
};

TEST_F(Batch, PrintsOneLinePerRecordAndExitsWithTheStatusOfTheRun) {
    struct SCase {
        const char* name;
        std::vector<SSelectedStock> selection;
        std::function<void(Batch&)> prepare;
        std::vector<std::string> extra;
        int status;
        std::string out;
        std::vector<std::string> errHas;
    };
    const std::vector<SCase> cases = {
        {"every record done",
         {{"NYSE", "AAA"}, {"NASDAQ", "CCC"}},
         nullptr,
         {},
         0,
         "AAA,NYSE,done,400\nCCC,NASDAQ,done,400\n",
         {Text(507)}},
        {"nothing new the second time",
         {{"NYSE", "AAA"}},
         [](Batch& b) {
             std::filesystem::create_directories(b.home + "/Data/NYSE");
             WriteTextFile(b.home + "/Data/NYSE/AAA.csv", QuoteText(kService));
         },
         {},
         0,
         "AAA,NYSE,nothing-new,0\n",
         {Text(507)}},
        {"an unknown symbol",
         {{"NYSE", "BBB"}, {"NYSE", "AAA"}},
         nullptr,
         {},
         1,
         "BBB,NYSE,not-a-quote-list,0\nAAA,NYSE,done,400\n",
         {"BBB (NYSE) " + Text(506), Text(507)}},
        {"an unwritable market folder",
         {{"NYSE", "AAA"}, {"NASDAQ", "CCC"}},
         [](Batch& b) {
             std::filesystem::create_directories(b.home + "/Data");
             WriteTextFile(b.home + "/Data/NYSE", "a file");
         },
         {},
         1,
         "AAA,NYSE,write-failed,0\nCCC,NASDAQ,done,400\n",
         {"AAA (NYSE) " + Text(510)}},
        {"the failure limit stops the run",
         {{"NYSE", "BBB"}, {"NYSE", "AAA"}},
         nullptr,
         {"--max-failures", "1"},
         1,
         "BBB,NYSE,not-a-quote-list,0\n",
         {Text(509)}},
        {"a refused connection",
         {{"NYSE", "AAA"}, {"NASDAQ", "CCC"}},
         [](Batch& b) { b.server->SetFault("refuse"); },
         {},
         2,
         "AAA,NYSE,no-answer,0\n",
         {Text(505)}},
        {"an empty selection", {}, nullptr, {}, 0, "", {Text(504)}},
        {"a symbol with a comma",
         {{"NYSE", "A,B"}},
         nullptr,
         {},
         1,
         "\"A,B\",NYSE,not-a-quote-list,0\n",
         {}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        Select(c.selection);
        if (c.prepare) c.prepare(*this);
        const SBatchResult result = Run(c.extra);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_EQ(result.out, c.out);
        for (const std::string& text : c.errHas)
            EXPECT_NE(result.err.find(text + "\n"), std::string::npos) << result.err;
        // The lock file names the process that held it.
        EXPECT_EQ(ReadTextFile(home + "/System/quotefetch.lock"),
                  std::to_string(result.pid) + "\n");
    }
}

TEST_F(Batch, RefusesBadOptionsAndSetupWithStatusThree) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--home", "."},
        {"--batch", "--bogus"},
        {"--batch", "--home"},
        {"--batch", "--max-failures", "0"},
        {"--batch", "--max-failures", "x"},
        {"--batch", "--max-failures", "1", "--max-failures", "2"},
        {"--batch", "--home", home, "--home", home},
        {"--batch", "--batch"},
    };
    for (const auto& words : cases) {
        std::string joined;
        for (const auto& word : words) joined += word + " ";
        SCOPED_TRACE(joined);
        const SBatchResult result = RunProgram(scratch, words);
        EXPECT_EQ(result.status, 3);
        EXPECT_TRUE(result.out.empty());
        EXPECT_NE(result.err.find("usage: quotefetch --batch"), std::string::npos) << result.err;
    }
    const SBatchResult noHome = RunProgram(scratch, {"--batch", "--home", "/nonexistent/zs"});
    EXPECT_EQ(noHome.status, 3);
    EXPECT_NE(noHome.err.find("/nonexistent/zs/ is not a folder"), std::string::npos);
    const SBatchResult missing =
        RunProgram(scratch, {"--batch", "--home", home, "--selection", home + "/none.dat"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("none.dat"), std::string::npos);
}

TEST_F(Batch, SecondRunOnOneInstallationIsRefusedWithStatusFour) {
    Select({{"NYSE", "AAA"}});
    CInstanceLock running(home + "/System/quotefetch.lock");
    ASSERT_EQ(running.State(), CInstanceLock::EState::Locked);
    const SBatchResult second = Run();
    EXPECT_EQ(second.status, 4);
    EXPECT_TRUE(second.out.empty());
    EXPECT_NE(second.err.find("process " + std::to_string(::getpid())), std::string::npos)
        << second.err;
    EXPECT_EQ(server->Requests(), 0);
    EXPECT_FALSE(std::filesystem::exists(home + "/Data/NYSE/AAA.csv"));
}

TEST_F(Batch, SelectionFileCanBeNamed) {
    const std::string other = scratch + "/mine.dat";
    ASSERT_TRUE(WriteSelectionFile(other, {{"NASDAQ", "CCC"}}).ok());
    Select({{"NYSE", "AAA"}});
    const SBatchResult result = Run({"--selection", other});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "CCC,NASDAQ,done,400\n");
}

TEST_F(Batch, ImportRunsWithoutAWindowAndHoldsTheInstallationToo) {
    const std::string file = scratch + "/ibm.txt";
    ASSERT_TRUE(WriteTextFile(file, "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n"));
    {
        CInstanceLock running(home + "/System/quotefetch.lock");
        ASSERT_EQ(running.State(), CInstanceLock::EState::Locked);
        const SBatchResult refused =
            RunProgram(scratch, {"--import", file, "--market", "NYSE", "--home", home});
        EXPECT_EQ(refused.status, 4);
        EXPECT_FALSE(std::filesystem::exists(home + "/Data/NYSE/IBM.csv"));
    }
    const SBatchResult imported =
        RunProgram(scratch, {"--home", home, "--import", file, "--market", "NYSE"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(ReadTextFile(home + "/Data/NYSE/IBM.csv"),
              "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
              "5-Jan-05,83.0,84.1,82.9,83.7,5120000,83.7\n");
    EXPECT_EQ(RunProgram(scratch, {"--import", file, "--home"}).status, 3);
}

// The source chosen in setup.ini serves the batch run: a full download and a renewal of each.
TEST_F(Batch, UsesTheSourceChosenInSetupIni) {
    struct SCase {
        const char* source;
        bool oldestFirst;
        const char* header;
        const char* aaa; // the symbols the source is asked for
        const char* ccc;
    };
    const SCase cases[] = {
        {"stooq", true, "Date,Open,High,Low,Close,Volume", "aaa.us", "ccc.us"},
        {"alphavantage", false, "timestamp,open,high,low,close,volume", "AAA", "CCC"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.source);
        RemoveTree(home + "/Data");
        const std::string answer = IsoAnswer(kService, c.oldestFirst, c.header, "\r\n");
        if (c.oldestFirst) {
            server->PutStooqAnswer(c.aaa, answer);
            server->PutStooqAnswer(c.ccc, answer);
        } else {
            server->PutAlphaVantageAnswer(c.aaa, answer);
            server->PutAlphaVantageAnswer(c.ccc, answer);
        }
        ASSERT_TRUE(
            WriteTextFile(home + "/setup.ini", std::string("[QUOTE_SOURCE]\nSource=") + c.source +
                                                   "\nApiKey_alphavantage=K\nBaseAddress_" +
                                                   c.source + "=" + server->BaseUrl() + "\n"));
        Select({{"NYSE", "AAA"}, {"NASDAQ", "CCC"}});
        std::filesystem::create_directories(home + "/Data/NASDAQ");
        // CCC holds the days up to Friday 7 January: renewed with 10 and 11 January.
        const std::vector<std::string> older(kService.begin() + 2, kService.end());
        WriteTextFile(home + "/Data/NASDAQ/CCC.csv", QuoteText(older));
        const SBatchResult result = RunProgram(scratch, {"--batch", "--home", home});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "AAA,NYSE,done,400\nCCC,NASDAQ,done,2\n");
        EXPECT_EQ(ReadTextFile(home + "/Data/NYSE/AAA.csv"), QuoteText(kService));
        EXPECT_EQ(ReadTextFile(home + "/Data/NASDAQ/CCC.csv"), QuoteText(kService));
    }
    ASSERT_TRUE(WriteTextFile(home + "/setup.ini", "[QUOTE_SOURCE]\nSource=bloomberg\n"));
    const SBatchResult unknown = RunProgram(scratch, {"--batch", "--home", home});
    EXPECT_EQ(unknown.status, 3);
    EXPECT_EQ(unknown.err, "quotefetch: Unknown quote source \"bloomberg\" in section "
                           "QUOTE_SOURCE of setup.ini: choose yahoo, stooq or alphavantage.\n");
}
