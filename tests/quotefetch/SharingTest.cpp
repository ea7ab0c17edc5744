#include "FetchTestSupport.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/base/QuoteFileLock.h"
#include "ctlkit/jobs/CJobResult.h"
#include "download/CRenewJob.h"
#include "quotefetch/SSelectedStock.h"
#include "quotes/CStock.h"
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
// Today and the 600 week days before it, newest first.
std::vector<std::string> LinesUpToToday(int count) {
    const time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return WeekdayLines(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, count);
}
} // namespace

TEST(QuoteFileLockTest, WritersExcludeEachOtherAndReadersShare) {
    const std::string folder = MakeTempFolder("quotelock");
    const std::string path = folder + "/IBM.csv";
    using Mode = QuoteFileLock::EMode;
    struct SCase {
        const char* name;
        Mode held;
        Mode wanted;
        bool granted;
    };
    const std::vector<SCase> cases = {
        {"writer beside writer", Mode::Exclusive, Mode::Exclusive, false},
        {"reader beside writer", Mode::Exclusive, Mode::Shared, false},
        {"writer beside reader", Mode::Shared, Mode::Exclusive, false},
        {"reader beside reader", Mode::Shared, Mode::Shared, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto held = std::make_unique<QuoteFileLock>(path, c.held);
        ASSERT_TRUE(held->Locked());
        bool granted = false;
        // Another thread, as a pool thread of the same program would ask.
        std::thread([&] {
            granted = QuoteFileLock(path, c.wanted, std::chrono::milliseconds(50)).Locked();
        }).join();
        EXPECT_EQ(granted, c.granted);
        held.reset();
        EXPECT_TRUE(QuoteFileLock(path, c.wanted, std::chrono::milliseconds(50)).Locked());
    }
    EXPECT_EQ(QuoteFileLock::LockPathFor(path), folder + "/.IBM.csv.lock");
    EXPECT_EQ(QuoteFileLock::LockPathFor("IBM.csv"), ".IBM.csv.lock");
    EXPECT_FALSE(std::filesystem::exists(path)); // the quote file itself is never made
    EXPECT_FALSE(QuoteFileLock(folder + "/missing/IBM.csv", Mode::Exclusive).Locked());
    RemoveTree(folder);
}

TEST(QuoteFileLockTest, ExclusiveWaiterGetsTheLockOnceItIsReleased) {
    const std::string folder = MakeTempFolder("quotelock");
    const std::string path = folder + "/IBM.csv";
    auto held = std::make_unique<QuoteFileLock>(path, QuoteFileLock::EMode::Exclusive);
    std::atomic<bool> granted{false};
    std::thread waiter([&] {
        QuoteFileLock lock(path, QuoteFileLock::EMode::Exclusive);
        granted = lock.Locked();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(granted.load());
    held.reset();
    waiter.join();
    EXPECT_TRUE(granted.load());
    RemoveTree(folder);
}

// The batch run, the chart program's renewal and its reload of the chart, all on one quote
// file at once: every read sees a whole file with its header.
TEST(SharedQuoteFile, BatchBesideARenewalAndAReaderGivesEveryReadAWholeFile) {
    const std::string home = MakeTempFolder("sharing");
    const std::string dataFolder = home + "/Data/";
    const std::string path = dataFolder + "NYSE/IBM.csv";
    std::filesystem::create_directories(dataFolder + "NYSE");
    std::filesystem::create_directories(home + "/System");
    CTestServer server(home + "/server");
    ASSERT_TRUE(server.Started());
    const std::vector<std::string> service = LinesUpToToday(600);
    server.PutQuotes("IBM", QuoteText(service));
    // The local file lacks the newest 50 days, so every writer has days to add.
    const std::string old =
        QuoteText(std::vector<std::string>(service.begin() + 50, service.end()));
    ASSERT_TRUE(WriteTextFile(path, old));
    ASSERT_TRUE(WriteSelectionFile(home + "/System/downloader.dat",
                                   std::vector<SSelectedStock>(40, SSelectedStock{"NYSE", "IBM"}))
                    .ok());

    std::atomic<bool> stop{false};
    std::atomic<long> reads{0}, bad{0}, rewinds{0}, renewals{0};
    std::string firstBad;
    // The chart's reload.
    std::thread reader([&] {
        while (!stop) {
            CStock stock;
            CFileResult read = stock.LoadQuoteFile(path);
            ++reads;
            if (!read.ok() || stock.Base().size() < 400) {
                if (bad++ == 0) firstBad = read.message();
            }
        }
    });
    // A writer that puts the old file back, under the lock, so the others keep writing.
    std::thread rewinder([&] {
        while (!stop) {
            {
                QuoteFileLock lock(path, QuoteFileLock::EMode::Exclusive);
                if (WriteFileAtomically(path, old)) ++rewinds;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    // The chart program's renewals.
    std::thread renewer([&] {
        CMThreadedJobQ queue(std::chrono::milliseconds(0));
        while (!stop) {
            auto result = std::make_shared<CJobResult>();
            auto* job = new CRenewJob;
            job->SetTicker("IBM");
            job->SetMarket("NYSE");
            job->SetDataFolder(dataFolder);
            job->SetQuoteServer(server.BaseUrl());
            job->SetTimeOut(5000);
            job->SetResult(result);
            queue.addJob(job);
            if (result->WaitFor(std::chrono::seconds(20)) == EJobResult::Done) ++renewals;
        }
    });

    const std::string program = ZS_QUOTEFETCH_PATH;
    const std::string server_url = server.BaseUrl();
    std::vector<std::string> words = {program, "--batch", "--home", home, "--server", server_url};
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    // Batch runs follow one another until every writer and the reader had their turns beside
    // one: on a busy machine a single run can end before the others got going.
    int runs = 0, failedRuns = 0;
    do {
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        pid_t child = -1;
        ASSERT_EQ(::posix_spawn(&child, program.c_str(), &quiet, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&quiet);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failedRuns;
        ++runs;
    } while (runs < 20 && (reads < 20 || rewinds < 5 || renewals < 1));
    stop = true;
    reader.join();
    rewinder.join();
    renewer.join();

    EXPECT_EQ(failedRuns, 0) << "of " << runs << " batch runs";
    EXPECT_EQ(bad.load(), 0) << firstBad;
    EXPECT_GE(reads.load(), 20);
    EXPECT_GE(rewinds.load(), 5);
    EXPECT_GT(renewals.load(), 0);
    // Whatever wrote last, the file is one of the two whole states.
    const std::string last = ReadTextFile(path);
    EXPECT_TRUE(last == old || last == QuoteText(service));
    RemoveTree(home);
}

// setup.ini written by two processes at once, each its own key, 1,000 times: after every
// write each process reads back its own value, which a lost update by the other would undo.
TEST(SharedSetupIni, TwoProcessesWritingTheirOwnKeysLoseNothing) {
    const std::string folder = MakeTempFolder("sharedini");
    const std::string ini = folder + "/setup.ini";
    ASSERT_TRUE(WriteTextFile(ini, "[PROXY]\nUseProxy=0\n"));
    struct SWriter {
        const char* key;
        const char* section;
    };
    const SWriter writers[] = {{"TickerName", "DATA_DIRECTORY"}, {"OtherMarket", "ENVIORMENT"}};
    std::vector<pid_t> children;
    for (const SWriter& writer : writers) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CIniReader reader(ini);
            for (int i = 0; i < 1000; ++i) {
                const std::string value = "v" + std::to_string(i);
                if (!reader.setKey(value, writer.key, writer.section)) ::_exit(2);
                if (reader.getKeyValue(writer.key, writer.section) != value) ::_exit(3);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    CIniReader reader(ini);
    EXPECT_EQ(reader.getKeyValue("TickerName", "DATA_DIRECTORY"), "v999");
    EXPECT_EQ(reader.getKeyValue("OtherMarket", "ENVIORMENT"), "v999");
    EXPECT_EQ(reader.getKeyValue("UseProxy", "PROXY"), "0");
    RemoveTree(folder);
}
