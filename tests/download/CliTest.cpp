#include "DownloadTestSupport.h"
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
struct CliRun {
    int status = -1;
    std::string out, err;
};

// Runs zentristock-cli with `args`; stdout and stderr go to files of the home folder.
CliRun RunCli(const std::string& home, std::vector<std::string> args) {
    std::string outPath = home + "/cli.out", errPath = home + "/cli.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    args.insert(args.begin(), ZS_CLI_PATH);
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    CliRun run;
    if (posix_spawn(&pid, ZS_CLI_PATH, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadTextFile(outPath);
    run.err = ReadTextFile(errPath);
    return run;
}
} // namespace

class Cli : public DownloadFixture {
protected:
    CliRun Download(const std::string& ticker, const std::string& mode) {
        std::vector<std::string> args = {
            "download", "--home",          home,        "--ticker", ticker, "--market", "NYSE",
            "--server", server->BaseUrl(), "--timeout", "3000"};
        if (!mode.empty()) args.push_back(mode);
        return RunCli(home, args);
    }
};

TEST_F(Cli, DownloadThenRenewal) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 1, 7, 30)));
    CliRun full = Download("IBM", "--full");
    EXPECT_EQ(full.status, 0) << full.err;
    EXPECT_EQ(full.out, "ticker,market,file,quotes\nIBM,NYSE," + QuoteFile() + ",30\n");
    EXPECT_NE(full.err.find("Click yes to download the data. [yes]"), std::string::npos);
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 1, 11, 300)));
    CliRun renew = Download("IBM", "--renew");
    EXPECT_EQ(renew.status, 0) << renew.err;
    EXPECT_EQ(renew.out, "ticker,market,file,quotes\nIBM,NYSE," + QuoteFile() + ",32\n");
    CliRun again = Download("IBM", "--redownload");
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find("This action will redownload"), std::string::npos);
}

// --source chooses the source, setup.ini's BaseAddress_<source> its address unless --server
// names another; an unknown source is a usage error.
TEST_F(Cli, DownloadThroughTheChosenSource) {
    const std::vector<std::string> days = WeekdayLines(2005, 1, 11, 40);
    server->PutStooqAnswer("ibm.us", IsoAnswer(days, true, "Date,Open,High,Low,Close,Volume"));
    server->PutAlphaVantageAnswer("IBM",
                                  IsoAnswer(days, false, "timestamp,open,high,low,close,volume"));
    WriteTextFile(home + "/setup.ini", "[QUOTE_SOURCE]\nBaseAddress_stooq=" + server->BaseUrl() +
                                           "\nApiKey_alphavantage=K\n");
    const std::string expected = "ticker,market,file,quotes\nIBM,NYSE," + QuoteFile() + ",40\n";
    CliRun stooq = RunCli(home, {"download", "--home", home, "--source", "stooq", "--ticker", "IBM",
                                 "--market", "NYSE", "--full"});
    EXPECT_EQ(stooq.status, 0) << stooq.err;
    EXPECT_EQ(stooq.out, expected);
    EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText(days));
    EXPECT_EQ(server->LastPath().rfind("/q/d/l/?s=ibm.us&d1=20000101&d2=", 0), 0u);
    std::filesystem::remove(QuoteFile());
    CliRun alpha =
        RunCli(home, {"download", "--home", home, "--source", "alphavantage", "--server",
                      server->BaseUrl(), "--ticker", "IBM", "--market", "NYSE", "--full"});
    EXPECT_EQ(alpha.status, 0) << alpha.err;
    EXPECT_EQ(alpha.out, expected);
    EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText(days));
    EXPECT_EQ(server->LastPath(), "/query?function=TIME_SERIES_DAILY&symbol=IBM&outputsize=full"
                                  "&datatype=csv&apikey=K");
    CliRun unknown = RunCli(home, {"download", "--home", home, "--source", "google", "--ticker",
                                   "IBM", "--market", "NYSE"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("Unknown quote source \"google\""), std::string::npos);
}

TEST_F(Cli, DownloadWritesIntoTheFolderOfSetupIni) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 1, 7, 30)));
    struct Case {
        std::string setup;
        std::string file;
    };
    const Case cases[] = {
        {"", home + "/Data/NYSE/IBM.csv"},
        {"[DATA_DIRECTORY]\nDataDirectory=quotes\n", home + "/quotes/NYSE/IBM.csv"},
        {"[ENVIORMENT]\nDATA_DIRECTORY=" + home + "/eod/\n", home + "/eod/NYSE/IBM.csv"},
    };
    for (const Case& c : cases) {
        WriteTextFile(home + "/setup.ini", c.setup);
        CliRun full = Download("IBM", "--full");
        EXPECT_EQ(full.status, 0) << full.err;
        EXPECT_EQ(full.out, "ticker,market,file,quotes\nIBM,NYSE," + c.file + ",30\n");
        EXPECT_EQ(ReadTextFile(c.file), QuoteText(WeekdayLines(2005, 1, 7, 30))) << c.file;
    }
    // A renewal reads the previous file from the chosen folder and writes it back there.
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 1, 11, 300)));
    CliRun renew = Download("IBM", "--renew");
    EXPECT_EQ(renew.status, 0) << renew.err;
    EXPECT_EQ(renew.out, "ticker,market,file,quotes\nIBM,NYSE," + home + "/eod/NYSE/IBM.csv,32\n");
    EXPECT_EQ(ReadTextFile(home + "/quotes/NYSE/IBM.csv"), QuoteText(WeekdayLines(2005, 1, 7, 30)));
}

TEST_F(Cli, DownloadFailuresExitNonZeroWithTheMessage) {
    CliRun unknown = Download("NOSUCH", "");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("Error file type, download failed."), std::string::npos);
    EXPECT_EQ(unknown.out, "");
    CliRun renew = Download("NOSUCH", "--renew");
    EXPECT_EQ(renew.status, 1);
    EXPECT_NE(renew.err.find("Can not open the previous data file."), std::string::npos);
    server->SetFault("refuse");
    CliRun refused = Download("IBM", "--full");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Cannot connect to the website."), std::string::npos);
    CliRun unsafe = Download("../../etc/passwd", "--full");
    EXPECT_EQ(unsafe.status, 1);
    EXPECT_NE(unsafe.err.find("cannot be used as a file name"), std::string::npos);
    EXPECT_EQ(RunCli(home, {"download", "--home", home}).status, 2);
    EXPECT_EQ(RunCli(home, {"download", "--home", home, "--ticker", "IBM", "--market", "NYSE",
                            "--renew", "--full"})
                  .status,
              2);
}

TEST_F(Cli, RefusedAnswerKeepsTheFileExitsNonZeroAndNamesTheLine) {
    std::vector<std::string> days = WeekdayLines(2006, 12, 29, 20);
    const std::string old = QuoteText(WeekdayLines(2007, 3, 2, 1759));
    days[1] = "28-dec-06,10.25,11.50,9.00,10.75,100001,10.75";
    server->PutQuotes("IBM", QuoteText(days));
    const std::string named = "Line 3 of the downloaded data was refused (unknown month): \"" +
                              days[1] + "\". The quote file was not changed.\n";
    for (const char* mode : {"--full", "--redownload"}) {
        WriteTextFile(QuoteFile(), old);
        CliRun run = Download("IBM", mode);
        EXPECT_EQ(run.status, 1) << mode;
        EXPECT_EQ(run.out, "") << mode;
        EXPECT_NE(run.err.find("Unkonwn data file format.\n" + named), std::string::npos)
            << mode << ": " << run.err;
        EXPECT_TRUE(ReadTextFile(QuoteFile()) == old) << mode;
    }
}

TEST_F(Cli, UpdateListAndLookup) {
    std::filesystem::create_directories(home + "/Index");
    WriteTextFile(home + "/Index/market.txt",
                  "Market\tFullName\tSuffix\nNYSE\tNew York\t\nLSE\tLondon\t.L\n");
    server->PutMarketList("NYSE.txt",
                          "Symbol\tDescription\nIBM\tInternational Business Machines\nGE\tGE\n");
    server->PutMarketList("LSE.txt", "Symbol\tDescription\nVOD\tVodafone\n");
    CliRun update = RunCli(home, {"update-list", "--home", home, "--market", "NYSE", "--market",
                                  "LSE", "--server", server->BaseUrl()});
    EXPECT_EQ(update.status, 0) << update.err;
    EXPECT_EQ(update.out, "market,symbols\nNYSE,2\nLSE,1\n");
    EXPECT_NE(update.err.find("Market list of LSE add to data base successfully.\n"),
              std::string::npos);

    CliRun found = RunCli(home, {"lookup", "--home", home, "VOD"});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out, "symbol,market,name\nVOD,LSE,Vodafone\n");
    CliRun missing = RunCli(home, {"lookup", "--home", home, "MSFT"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Can not get Name.\n");

    CliRun failed = RunCli(
        home, {"update-list", "--home", home, "--market", "AMEX", "--server", server->BaseUrl()});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("Market list of AMEX download failed.\n"), std::string::npos);
}

TEST_F(Cli, UpdateListReadsALocalFileOrTheConfiguredOne) {
    std::filesystem::create_directories(home + "/Lists");
    WriteTextFile(home + "/Lists/nasdaq.txt",
                  "Symbol|Security Name|Market Category|Test Issue|Financial Status|Round Lot "
                  "Size|ETF|NextShares\nAAPL|Apple Inc.|Q|N|N|100|N|N\nZAZZT|Test|G|Y|N|100|N|N\n"
                  "BAD TICKER|Blank|Q|N|N|100|N|N\nFile Creation Time: 1210202612:00|||||||\n");
    CliRun update = RunCli(home, {"update-list", "--home", home, "--market", "NASDAQ", "--file",
                                  home + "/Lists/nasdaq.txt"});
    EXPECT_EQ(update.status, 0) << update.err;
    EXPECT_EQ(update.out, "market,symbols\nNASDAQ,1\n");
    EXPECT_NE(update.err.find("Market list of NASDAQ left out 1 symbol that cannot be a ticker.\n"),
              std::string::npos)
        << update.err;
    EXPECT_EQ(server->Requests(), 0);

    WriteTextFile(home + "/setup.ini", "[DOWNLOAD]\nMarketList_LSE=Lists/lse.txt\n");
    WriteTextFile(home + "/Lists/lse.txt", "Symbol\tDescription\nVOD\tVodafone\nBP\tBP plc\n");
    CliRun configured = RunCli(home, {"update-list", "--home", home, "--market", "LSE"});
    EXPECT_EQ(configured.status, 0) << configured.err;
    EXPECT_EQ(configured.out, "market,symbols\nLSE,2\n");

    CliRun two = RunCli(home, {"update-list", "--home", home, "--market", "LSE", "--market",
                               "NASDAQ", "--file", home + "/Lists/lse.txt"});
    EXPECT_EQ(two.status, 2);
    EXPECT_NE(two.err.find("--file reads the list of one market: give one --market\n"),
              std::string::npos);
    CliRun missing = RunCli(home, {"update-list", "--home", home, "--market", "LSE", "--file",
                                   home + "/Lists/none.txt"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Market list of LSE download failed.\n"), std::string::npos);
}
