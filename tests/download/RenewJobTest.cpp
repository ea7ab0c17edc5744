#include "DownloadTestSupport.h"
#include "ctlkit/lang/CLanguage.h"
#include <csignal>
#include <sys/resource.h>

namespace {
std::string Text(unsigned id) {
    return CLanguage::TranslateString(id).value_or("?");
}

// The local file ends on Friday 7 January 2005; the service knows up to Tuesday 11 January.
const std::vector<std::string> kLocal = WeekdayLines(2005, 1, 7, 30);
const std::vector<std::string> kService = WeekdayLines(2005, 1, 11, 2000);
} // namespace

class Renewal : public DownloadFixture {
protected:
    EJobResult Renew(const std::string& ticker = "IBM") {
        auto request = Request(ticker);
        EXPECT_TRUE(StartRenewal(*queue, request));
        return Wait(request);
    }
};

TEST_F(Renewal, PutsTheDaysAfterTheNewestLocalDayInFront) {
    WriteTextFile(QuoteFile(), QuoteText(kLocal));
    server->PutQuotes("IBM", QuoteText(kService));
    EXPECT_EQ(Renew(), EJobResult::Done);
    std::vector<std::string> expected = {kService[0], kService[1]};
    ASSERT_EQ(kService[0].rfind("11-Jan-05,", 0), 0u);
    ASSERT_EQ(kService[1].rfind("10-Jan-05,", 0), 0u);
    expected.insert(expected.end(), kLocal.begin(), kLocal.end());
    EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText(expected));
    EXPECT_EQ(Notifications(), 1u);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_NE(server->LastPath().find("&g=d&a=0&b=1&c=1980&ignore=.csv"), std::string::npos);
}

TEST_F(Renewal, StopsReadingSoonAfterTheNewestLocalDay) {
    WriteTextFile(QuoteFile(), QuoteText(kLocal));
    std::string whole = QuoteText(WeekdayLines(2005, 1, 11, 20000));
    server->PutQuotes("IBM", whole);
    server->Reset();
    EXPECT_EQ(Renew(), EJobResult::Done);
    long sent = server->LastBytes();
    EXPECT_LT(sent, static_cast<long>(whole.size()) / 4)
        << "sent " << sent << " of " << whole.size();
    auto counts = progress->StatusTexts();
    std::string lastRead;
    for (auto& text : counts)
        if (text.rfind("Read ", 0) == 0) lastRead = text;
    EXPECT_EQ(lastRead.rfind("Read ", 0), 0u);
    EXPECT_LT(std::stol(lastRead.substr(5)), 2048);
}

TEST_F(Renewal, AcceptsCrLfAnswersAndSkipsEmptyLines) {
    WriteTextFile(QuoteFile(), QuoteText(kLocal));
    std::vector<std::string> service = kService;
    service.insert(service.begin() + 1, ""); // an empty line between 11 and 10 January
    server->PutQuotes("IBM", QuoteText(service));
    server->SetFault("crlf");
    EXPECT_EQ(Renew(), EJobResult::Done);
    std::vector<std::string> expected = {kService[0], kService[1]};
    expected.insert(expected.end(), kLocal.begin(), kLocal.end());
    EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText(expected));
}

TEST_F(Renewal, NothingNewRewritesTheSameLinesNormalised) {
    std::string local = kHeader + "\r\n";
    for (auto& line : kLocal) local += line + "\r\n";
    local += "<markup>\r\nshort,line\r\n";
    WriteTextFile(QuoteFile(), local);
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 1, 7, 500)));
    EXPECT_EQ(Renew(), EJobResult::Done);
    EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText(kLocal));
    EXPECT_EQ(Notifications(), 1u);
}

TEST_F(Renewal, FailuresLeaveTheFileAsItWasAndShowTheirMessages) {
    const std::string gapService = QuoteText(WeekdayLines(2005, 1, 14, 3)); // 14, 13, 12 Jan
    std::vector<std::string> badMonth = kService;
    badMonth[1] = "10-jan-05,10.00,11.00,9.00,10.50,100,10.50";
    struct Case {
        const char* name;
        std::string served;
        const char* fault;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"no text", QuoteText(kService), "empty", {Text(2)}},
        // Cut before the newest local day came: 11, 10 and 7 January are all the answer holds.
        {"reset", QuoteText(WeekdayLines(2005, 1, 11, 3)), "reset", {Text(2)}},
        {"short", QuoteText(WeekdayLines(2005, 1, 11, 3)), "short", {Text(2)}},
        {"not the header", QuoteText(kService), "wrong", {Text(3)}},
        {"error page", QuoteText(kService), "html", {Text(3)}},
        {"unknown month",
         QuoteText(badMonth),
         "none",
         {"Unkonwn data file format.", "Error downloaded data file format."}},
        {"gap",
         gapService,
         "none",
         {"Cannot renew data of the selected stock.Please use \"redownload\" button.",
          "Error downloaded data file format."}},
        {"header with more on its line",
         QuoteText(kService),
         "header-extra",
         {"Error downloaded data file format."}},
    };
    const std::string local = QuoteText(kLocal);
    for (const Case& c : cases) {
        WriteTextFile(QuoteFile(), local);
        server->PutQuotes("IBM", c.served);
        server->SetFault(c.fault);
        prompter.messages.clear();
        EXPECT_EQ(Renew(), EJobResult::Failed) << c.name;
        EXPECT_EQ(prompter.messages, c.messages) << c.name;
        EXPECT_EQ(ReadTextFile(QuoteFile()), local) << c.name;
    }
    EXPECT_EQ(Notifications(), 0u);
}

TEST_F(Renewal, PreviousFileMissingOrInAnotherFormatIsRefusedWithoutATransfer) {
    server->PutQuotes("IBM", QuoteText(kService));
    const std::string metastock = "<TICKER>,<PER>,<DTYYYYMMDD>,<TIME>,<OPEN>,<HIGH>,<LOW>,"
                                  "<CLOSE>,<VOL>,<OPENINT>\nIBM,D,20050107,0,1,2,3,4,5,0\n";
    for (const char* content : {"", "missing", "metastock", "header-extra"}) {
        std::string name = content;
        std::filesystem::remove(QuoteFile());
        if (name == "metastock") WriteTextFile(QuoteFile(), metastock);
        if (name == "") WriteTextFile(QuoteFile(), "");
        if (name == "header-extra") WriteTextFile(QuoteFile(), kHeader + ",x\n" + kLocal[0] + "\n");
        prompter.messages.clear();
        EXPECT_EQ(Renew(), EJobResult::Failed) << name;
        EXPECT_EQ(prompter.messages,
                  std::vector<std::string>{"Can not open the previous data file."})
            << name;
    }
    EXPECT_EQ(server->Requests(), 0);
}

TEST_F(Renewal, UnwritableFileIsReportedAndTheOldOneStays) {
    const std::string local = QuoteText(kLocal);
    WriteTextFile(QuoteFile(), local);
    server->PutQuotes("IBM", QuoteText(kService));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = local.size(); // the renewed file is longer
    setrlimit(RLIMIT_FSIZE, &small);
    auto request = Request();
    StartRenewal(*queue, request);
    EJobResult result = Wait(request);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(result, EJobResult::Failed);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"Can not saving the new data file."});
    EXPECT_EQ(ReadTextFile(QuoteFile()), local);
}

TEST_F(Renewal, CancelBeforeTheFetchEndsWritesNothing) {
    const std::string local = QuoteText(kLocal);
    WriteTextFile(QuoteFile(), local);
    server->PutQuotes("IBM", QuoteText(kService));
    server->SetFault("drip");
    progress->SetStatusHook([this](const std::string& text) {
        if (text.rfind("Read ", 0) == 0) progress->Cancel();
    });
    EXPECT_EQ(Renew(), EJobResult::Cancelled);
    EXPECT_EQ(ReadTextFile(QuoteFile()), local);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Notifications(), 0u);
}

TEST_F(Renewal, FileWithoutQuotesTakesTheWholeHistory) {
    WriteTextFile(QuoteFile(), kHeader + "\n");
    std::vector<std::string> service = WeekdayLines(2005, 1, 11, 50);
    server->PutQuotes("IBM", QuoteText(service));
    EXPECT_EQ(Renew(), EJobResult::Done);
    EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText(service));
}
