#include "DownloadTestSupport.h"
#include "download/CMarketList.h"
#include "download/CMarketListUpdater.h"
#include "download/CSymbolDatabase.h"
#include <functional>
#include <mutex>

namespace {
// The update dialog for tests: records the log and progress; the test may hide it.
class RecordingUpdateDialog : public CMarketUpdateSink {
public:
    bool IsVisible() override { return m_visible; }
    void SetProgressRange(int steps) override { range = steps; }
    void SetProgress(int position) override { positions.push_back(position); }
    void AppendLog(const std::string& text) override { log += text; }
    void Close() override { ++closes; }
    void SetStatusText(const std::string& text) override {
        std::function<void(const std::string&)> hook;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            hook = onStatus;
        }
        if (hook) hook(text);
    }
    void Hide() { m_visible = false; }

    int range = 0;
    std::vector<int> positions;
    std::string log;
    int closes = 0;
    std::function<void(const std::string&)> onStatus;

private:
    std::mutex m_mutex;
    std::atomic<bool> m_visible{true};
};

const std::string kList = "Symbol\tDescription\nIBM\tInternational Business Machines\n"
                          "AA\tAlcoa\n<br>\nX\n\nGE\tGeneral Electric\n";
} // namespace

TEST(MarketList, ReadsCodesAndFullNamesAfterTheExactHeader) {
    CMarketList list;
    ASSERT_TRUE(list.Parse("Market\tFullName\tSuffix\nNYSE\tNew York\t\nLSE\tLondon\t.L\n<x>\n"
                           "ab\n\nSS\tShanghai\t.SS\n../x\tBad\t\n"));
    EXPECT_EQ(list.Codes(), (std::vector<std::string>{"NYSE", "LSE", "SS"}));
    EXPECT_EQ(list.FullNames(), (std::vector<std::string>{"New York", "London", "Shanghai"}));
    EXPECT_EQ(list.Refused(), std::vector<std::string>{"../x"});
    EXPECT_FALSE(list.Parse("Market\tFullName\nNYSE\tNew York\n"));
    EXPECT_TRUE(list.Codes().empty());
    EXPECT_FALSE(list.Load("/nonexistent/market.txt"));
}

TEST(SymbolDatabase, ListLineBecomesARecordOfFixedFields) {
    std::string bytes;
    ASSERT_TRUE(CSymbolDatabase::ConvertList(kList, bytes));
    ASSERT_EQ(bytes.size(), 3 * 1024u);
    std::string expected(1024, '\0');
    expected.replace(0, 3, "IBM");
    expected.replace(16, 31, "International Business Machines");
    EXPECT_EQ(bytes.substr(0, 1024), expected);
    CSymbolDatabase database;
    database.Parse(bytes);
    ASSERT_EQ(database.Records().size(), 3u);
    EXPECT_EQ(database.Records()[2].symbol, "GE");
    EXPECT_EQ(database.LookupName("AA"), "Alcoa");
    EXPECT_EQ(database.LookupName("MSFT"), "Can not get Name.");
    EXPECT_FALSE(CSymbolDatabase::ConvertList("Symbol Description\nIBM\tx\n", bytes));
}

TEST(SymbolDatabase, LongFieldsAreCutAndReadWithinTheirSize) {
    std::string record = CSymbolDatabase::MakeRecord(std::string(20, 'S'), std::string(2000, 'd'));
    ASSERT_EQ(record.size(), 1024u);
    EXPECT_EQ(record.substr(0, 16), std::string(15, 'S') + '\0');
    EXPECT_EQ(record[1023], '\0');
    // A stored record without any zero byte, and a cut last record.
    std::string raw(1024, 'x');
    raw += std::string(500, 'y');
    CSymbolDatabase database;
    database.Parse(raw);
    ASSERT_EQ(database.Records().size(), 1u);
    EXPECT_EQ(database.Records()[0].symbol, std::string(16, 'x'));
    EXPECT_EQ(database.Records()[0].description, std::string(1008, 'x'));
}

TEST(SymbolDatabase, NameLookupTriesEachMarket) {
    std::string folder = MakeTempFolder("lookup") + "/";
    std::string bytes;
    ASSERT_TRUE(CSymbolDatabase::ConvertList("Symbol\tDescription\nVOD\tVodafone\n", bytes));
    WriteTextFile(folder + "LSE.Dat", bytes);
    ASSERT_TRUE(CSymbolDatabase::ConvertList(kList, bytes));
    WriteTextFile(folder + "NYSE.Dat", bytes);
    std::string market;
    EXPECT_EQ(LookupSymbolName(folder, {"NYSE", "LSE"}, "VOD", &market), "Vodafone");
    EXPECT_EQ(market, "LSE");
    EXPECT_EQ(LookupSymbolName(folder, {"AMEX", "NYSE"}, "GE"), "General Electric");
    EXPECT_EQ(LookupSymbolName(folder, {"NYSE", "LSE"}, "ZZZ"), "Can not get Name.");
    RemoveTree(folder);
}

struct SOutcomeCase {
    const char* what;
    std::function<CFileResult()> call;
    CFileResult::EKind kind;
    std::string message;
};

TEST(MarketList, ReadersAndTheConversionReportTheirKindAndReason) {
    const std::string folder = MakeTempFolder("outcome") + "/";
    WriteTextFile(folder + "NYSE", kList);
    WriteTextFile(folder + "AMEX", "Market\tFullName\tSuffix\n");
    WriteTextFile(folder + "LSE", kList);
    std::filesystem::create_directories(folder + "LSE.Dat/x");
    CMarketList list;
    CSymbolDatabase database;
    std::string bytes;
    const std::vector<SOutcomeCase> cases = {
        {"market list header", [&] { return list.Parse("Market\tFullName\nNYSE\tNew York\n"); },
         CFileResult::EKind::WrongType, "the first line is not the header of a market list"},
        {"market list missing", [&] { return list.Load(folder + "market.txt"); },
         CFileResult::EKind::CannotOpen,
         "cannot open " + folder + "market.txt: No such file or directory"},
        {"symbol list header", [&] { return CSymbolDatabase::ConvertList("Symbol\n", bytes); },
         CFileResult::EKind::WrongType, "the first line is not the header of a symbol list"},
        {"database missing", [&] { return database.Load(folder + "NONE.Dat"); },
         CFileResult::EKind::CannotOpen,
         "cannot open " + folder + "NONE.Dat: No such file or directory"},
        {"conversion", [&] { return CSymbolDatabase::ConvertMarketList(folder, "NYSE"); },
         CFileResult::EKind::Ok, ""},
        {"database", [&] { return database.Load(folder + "NYSE.Dat"); }, CFileResult::EKind::Ok,
         ""},
        {"unsafe market", [&] { return CSymbolDatabase::ConvertMarketList(folder, "../NYSE"); },
         CFileResult::EKind::UnsafeName,
         "the market code \"../NYSE\" cannot be used as a file name"},
        {"list missing", [&] { return CSymbolDatabase::ConvertMarketList(folder, "SS"); },
         CFileResult::EKind::CannotOpen, "cannot open " + folder + "SS: No such file or directory"},
        {"not a symbol list", [&] { return CSymbolDatabase::ConvertMarketList(folder, "AMEX"); },
         CFileResult::EKind::WrongType, "the first line is not the header of a symbol list"},
        {"database not writable", [&] { return CSymbolDatabase::ConvertMarketList(folder, "LSE"); },
         CFileResult::EKind::CannotWrite, "cannot replace " + folder + "LSE.Dat: Is a directory"},
    };
    for (const SOutcomeCase& c : cases) {
        const CFileResult result = c.call();
        EXPECT_EQ(result.kind(), c.kind) << c.what;
        EXPECT_EQ(result.message(), c.message) << c.what;
    }
    EXPECT_EQ(database.Records().size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(folder + "AMEX.Dat"));
    RemoveTree(folder);
}

class MarketListUpdate : public DownloadFixture {
protected:
    void SetUp() override {
        DownloadFixture::SetUp();
        systemFolder = home + "/System/";
        std::filesystem::create_directories(systemFolder);
        bar = CLoopMessageTarget::Create(loop, [this](const SWindowMessage& m) {
            return updater ? updater->OnMarketListDone(m) : 0;
        });
        CMarketListUpdater::SSetup setup;
        setup.systemFolder = systemFolder;
        setup.baseAddress = server->BaseUrl() + "/download/mklist/";
        setup.timeOutMs = 3000;
        updater = std::make_unique<CMarketListUpdater>(*queue, bar, setup);
        dialog = std::make_shared<RecordingUpdateDialog>();
    }
    void TearDown() override {
        bar->Detach();
        DownloadFixture::TearDown();
    }
    void Run(std::vector<std::string> markets) {
        bool finished = false;
        updater->Start(std::move(markets), dialog, [&] { finished = true; });
        ASSERT_TRUE(loop.RunUntil([&] { return finished; }, std::chrono::seconds(30)));
    }

    std::string systemFolder;
    std::shared_ptr<CLoopMessageTarget> bar;
    std::unique_ptr<CMarketListUpdater> updater;
    std::shared_ptr<RecordingUpdateDialog> dialog;
};

TEST_F(MarketListUpdate, EachMarketIsLoggedConvertedAndAFailureDoesNotStopTheRest) {
    server->PutMarketList("NYSE.txt", kList);
    server->PutMarketList("LSE.txt", "Symbol\tDescription\nVOD\tVodafone\n");
    Run({"NYSE", "AMEX", "LSE"});
    EXPECT_EQ(dialog->range, 6);
    EXPECT_EQ(dialog->positions, (std::vector<int>{1, 2, 4, 5, 6}));
    EXPECT_EQ(dialog->log, "Market list of NYSE download Successfully.\n"
                           "Add Market list of NYSE to DataBase.\n"
                           "Market list of NYSE add to data base successfully.\n"
                           "Market list of AMEX download failed.\n"
                           "Market list of LSE download Successfully.\n"
                           "Add Market list of LSE to DataBase.\n"
                           "Market list of LSE add to data base successfully.\n");
    EXPECT_EQ(ReadTextFile(systemFolder + "NYSE"), kList);
    CSymbolDatabase database;
    ASSERT_TRUE(database.Load(systemFolder + "LSE.Dat"));
    EXPECT_EQ(database.LookupName("VOD"), "Vodafone");
    EXPECT_FALSE(std::filesystem::exists(systemFolder + "AMEX.Dat"));
    EXPECT_EQ(dialog->closes, 1);
    EXPECT_EQ(updater->Saved(), 2);
    EXPECT_EQ(updater->Failed(), 1);
}

TEST_F(MarketListUpdate, WrongContentKeepsTheOldListAndDatabase) {
    WriteTextFile(systemFolder + "NYSE", "Symbol\tDescription\nOLD\tOld one\n");
    WriteTextFile(systemFolder + "NYSE.Dat", CSymbolDatabase::MakeRecord("OLD", "Old one"));
    for (const char* fault : {"html", "wrong", "reset", "html200"}) {
        server->PutMarketList("NYSE.txt", kList);
        server->SetFault(fault);
        dialog = std::make_shared<RecordingUpdateDialog>();
        Run({"NYSE"});
        EXPECT_EQ(dialog->log, "Market list of NYSE download failed.\n") << fault;
        EXPECT_EQ(ReadTextFile(systemFolder + "NYSE"), "Symbol\tDescription\nOLD\tOld one\n");
        EXPECT_EQ(ReadTextFile(systemFolder + "NYSE.Dat"),
                  CSymbolDatabase::MakeRecord("OLD", "Old one"));
    }
}

TEST_F(MarketListUpdate, ClosingTheDialogDuringADownloadLeavesEverythingAsItWas) {
    WriteTextFile(systemFolder + "NYSE", "Symbol\tDescription\nOLD\tOld one\n");
    server->PutMarketList("NYSE.txt", kList);
    server->SetFault("drip");
    dialog->onStatus = [this](const std::string& text) {
        if (text.rfind("Read ", 0) == 0) dialog->Hide();
    };
    Run({"NYSE", "LSE"});
    EXPECT_EQ(dialog->log, "");
    EXPECT_EQ(ReadTextFile(systemFolder + "NYSE"), "Symbol\tDescription\nOLD\tOld one\n");
    EXPECT_FALSE(std::filesystem::exists(systemFolder + "NYSE.Dat"));
    EXPECT_EQ(server->Requests(), 1); // LSE was not fetched
}

TEST_F(MarketListUpdate, UnwritableFoldersAreLoggedAndTheUpdateEnds) {
    server->PutMarketList("NYSE.txt", kList);
    server->PutMarketList("LSE.txt", kList);
    // The database of LSE cannot be written: a folder is in its place.
    std::filesystem::create_directories(systemFolder + "LSE.Dat/x");
    Run({"NYSE", "LSE"});
    EXPECT_NE(dialog->log.find("Market list of LSE add to data base failed.\n"), std::string::npos);
    // Without the system folder even the list cannot be kept.
    RemoveTree(systemFolder);
    dialog = std::make_shared<RecordingUpdateDialog>();
    Run({"NYSE"});
    EXPECT_EQ(dialog->log, "Market list of NYSE download failed.\n");
}

TEST_F(MarketListUpdate, ListsComeFromLocalFilesAndTheirOwnAddresses) {
    std::filesystem::create_directories(home + "/Lists");
    const std::string directory =
        "\xEF\xBB\xBF"
        "ACT Symbol|Security Name|Exchange|CQS Symbol|ETF|Round Lot Size|Test Issue|NASDAQ "
        "Symbol\r\nA|Agilent Technologies|N|A|N|100|N|A\r\nB/X|Slashed|N|B|N|100|N|B\r\n"
        "C D|Blank|N|C|N|100|N|C\r\nZT|Test|N|ZT|N|100|Y|ZT\r\n"
        "File Creation Time: 1210202612:00|||||||\r\n";
    WriteTextFile(home + "/Lists/NYSE.txt", directory);
    server->PutMarketList("london.txt", "Symbol\tDescription\nVOD\tVodafone\n");
    CMarketListUpdater::SSetup setup;
    setup.systemFolder = systemFolder;
    setup.baseAddress = server->BaseUrl() + "/download/mklist/";
    setup.timeOutMs = 3000;
    setup.programFolder = home + "/";
    setup.listAddresses = {{"NYSE", "Lists/NYSE.txt"},
                           {"LSE", server->BaseUrl() + "/download/mklist/london.txt"},
                           {"TSX", "file://" + home + "/Lists/missing.txt"},
                           {"AMEX", home + "/Lists"}};
    updater = std::make_unique<CMarketListUpdater>(*queue, bar, setup);
    Run({"NYSE", "TSX", "LSE", "AMEX"});
    EXPECT_EQ(dialog->log, "Market list of NYSE download Successfully.\n"
                           "Add Market list of NYSE to DataBase.\n"
                           "Market list of NYSE left out 2 symbols that cannot be a ticker.\n"
                           "Market list of NYSE add to data base successfully.\n"
                           "Market list of TSX download failed.\n"
                           "Market list of LSE download Successfully.\n"
                           "Add Market list of LSE to DataBase.\n"
                           "Market list of LSE add to data base successfully.\n"
                           "Market list of AMEX download failed.\n");
    EXPECT_EQ(ReadTextFile(systemFolder + "NYSE"), directory);
    EXPECT_EQ(ReadTextFile(systemFolder + "NYSE.Dat"),
              CSymbolDatabase::MakeRecord("A", "Agilent Technologies"));
    EXPECT_EQ(ReadTextFile(systemFolder + "LSE.Dat"), CSymbolDatabase::MakeRecord("VOD", "Vodafone"));
    EXPECT_FALSE(std::filesystem::exists(systemFolder + "TSX"));
    EXPECT_FALSE(std::filesystem::exists(systemFolder + "AMEX"));
    EXPECT_EQ(server->Requests(), 1); // only LSE's list was asked of the server
}
