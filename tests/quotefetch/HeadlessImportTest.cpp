#include "quotefetch/HeadlessImport.h"
#include "ImportTestSupport.h"
#include "download/CMarketList.h"
#include <sstream>

namespace {
const std::string kMarkets = "Market\tFullName\tSuffix\nNYSE\tNew York\t\nLSE\tLondon\t.L\n"
                             "BAD\tBad suffix\t../x\n";
} // namespace

TEST(MarketListSuffix, KeepsTheThirdColumnWhenItCanBeAFileNamePart) {
    CMarketList list;
    ASSERT_TRUE(list.Parse(kMarkets + "SS\tShanghai\t.SS\textra\nTO\tToronto\n"));
    EXPECT_EQ(list.Codes(), (std::vector<std::string>{"NYSE", "LSE", "BAD", "SS", "TO"}));
    EXPECT_EQ(list.Suffixes(), (std::vector<std::string>{"", ".L", "", ".SS", ""}));
    EXPECT_EQ(list.RefusedSuffixes(), std::vector<std::string>{"BAD"});
    ASSERT_NE(list.SuffixOf("LSE"), nullptr);
    EXPECT_EQ(*list.SuffixOf("LSE"), ".L");
    EXPECT_EQ(list.SuffixOf("lse"), nullptr);
}

TEST(HeadlessImport, PrintsALinePerFileAndExitsWithTheStatusOfTheRun) {
    CImportTempFolder home;
    const std::string in = home.Path() + "in/";
    WriteImportText(home.Path() + "Index/market.txt", kMarkets);
    WriteImportText(in + "ibm.txt", "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n");
    WriteImportText(in + "empty.txt", "");
    WriteImportText(in + "bad.txt", "IBM,20051305,83.0,84.1,82.9,83.7,5120000\n");
    struct Case {
        const char* why;
        std::vector<std::string> words;
        int status;
        std::string out;
        std::string errStart;  // the first line on stderr
        std::string quoteFile; // "" when none is written
    };
    const std::string ibm = in + "ibm.txt";
    const Case cases[] = {
        {"every file imported",
         {"--import", ibm, "--market", "NYSE"},
         0,
         ibm + ",imported,1,0,0,0,0\n",
         "1 files selected.",
         "Data/NYSE/IBM.csv"},
        {"the suffix of the market",
         {"--import", "--suffix", ibm, "--market", "LSE"},
         0,
         ibm + ",imported,1,0,0,0,0\n",
         "1 files selected.",
         "Data/LSE/IBM.L.csv"},
        {"some file failed",
         {"--import", ibm, in + "empty.txt", in + "bad.txt", in + "none.txt", "--market", "AMEX"},
         1,
         ibm + ",imported,1,0,0,0,0\n" + in + "empty.txt,empty,0,0,0,0,0\n" + in +
             "bad.txt,no-data,0,0,0,0,1\n" + in + "none.txt,cannot-open,0,0,0,0,0\n",
         "4 files selected.",
         "Data/AMEX/IBM.csv"},
        {"no file", {"--import", "--market", "NYSE"}, 3, "", "No EOD DATA Selected.", ""},
        {"no market", {"--import", ibm}, 3, "", "No market given: --market M.", ""},
        {"--market without a name",
         {"--import", ibm, "--market"},
         3,
         "",
         "--market needs a market name.",
         ""},
        {"an unknown option",
         {"--import", ibm, "--market", "NYSE", "--force"},
         3,
         "",
         "Unknown option --force.",
         ""},
        {"not an import",
         {"--batch"},
         3,
         "",
         "usage: quotefetch --import FILE... --market M [--suffix] [--replace]",
         ""},
        {"a market that is no folder name",
         {"--import", ibm, "--market", "../../x"},
         3,
         "",
         "The market \"../../x\" cannot be used as a folder name.",
         ""},
        {"a suffix for a market not listed",
         {"--import", ibm, "--market", "AMEX", "--suffix"},
         3,
         "",
         "The market AMEX is not in " + home.Path() +
             "Index/market.txt: it has no suffix "
             "to add.",
         ""},
        {"a suffix that is no name part",
         {"--import", ibm, "--market", "BAD", "--suffix"},
         3,
         "",
         "The suffix of the market BAD in " + home.Path() +
             "Index/market.txt cannot be part of a file name.",
         ""},
        {"too many files",
         [&] {
             std::vector<std::string> words{"--import", "--market", "NYSE"};
             words.insert(words.end(), 10001, ibm);
             return words;
         }(),
         3, "", "Too many files selected. Please reduce the number of files and try again.", ""},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(home.Path() + "Data");
        std::ostringstream out, err;
        EXPECT_EQ(RunHeadlessImport(CInstallPaths(home.Path()), c.words, out, err), c.status)
            << c.why;
        EXPECT_EQ(out.str(), c.out) << c.why;
        EXPECT_EQ(err.str().substr(0, err.str().find('\n')), c.errStart) << c.why;
        if (!c.quoteFile.empty())
            EXPECT_EQ(ReadImportText(home.Path() + c.quoteFile),
                      kQuoteHeader + "5-Jan-05,83.0,84.1,82.9,83.7,5120000,83.7\n")
                << c.why;
        else
            EXPECT_FALSE(std::filesystem::exists(home.Path() + "Data")) << c.why;
    }
}

TEST(HeadlessImport, ReplaceLetsImportedDaysTakeTheFilesLines) {
    CImportTempFolder home;
    const std::string file = home.Path() + "in.txt";
    const std::string quotes = home.Path() + "Data/NYSE/IBM.csv";
    WriteImportText(file, "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n");
    struct Case {
        std::vector<std::string> words;
        std::string out;
        std::string quotes;
    };
    const Case cases[] = {
        {{"--import", file, "--market", "NYSE"},
         file + ",imported,0,0,2,1,0\n",
         kQuoteHeader + "06-Jan-05,1,1,1,1,1,1\n05-Jan-05,2,2,2,2,2,2\n"},
        {{"--import", file, "--market", "NYSE", "--replace"},
         file + ",imported,0,1,1,0,0\n",
         kQuoteHeader + "06-Jan-05,1,1,1,1,1,1\n5-Jan-05,83.0,84.1,82.9,83.7,5120000,83.7\n"},
    };
    for (const Case& c : cases) {
        WriteImportText(quotes, kQuoteHeader + "06-Jan-05,1,1,1,1,1,1\n05-Jan-05,2,2,2,2,2,2\n");
        std::ostringstream out, err;
        EXPECT_EQ(RunHeadlessImport(CInstallPaths(home.Path()), c.words, out, err), 0);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(ReadImportText(quotes), c.quotes);
    }
}
