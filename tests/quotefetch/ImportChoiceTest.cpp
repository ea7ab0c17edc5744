#include "ImportTestSupport.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/CMarketList.h"
#include "quotefetch/CImportChoice.h"

namespace {

CImportChoice Choice(std::string otherMarket = "", std::string importPath = "/eod") {
    return CImportChoice({"NYSE", "TSX", "LSE"}, {"", ".TO", ".L"}, "/q/Data/",
                         std::move(otherMarket), std::move(importPath));
}

} // namespace

TEST(ImportChoice, RequestCarriesMarketListedOrTypedSuffixAndReplace) {
    struct Case {
        std::string market;
        bool addSuffix;
        bool replace;
        std::string wantMarket;
        std::string wantSuffix;
        bool listed;
    };
    const Case cases[] = {
        {"TSX", true, false, "TSX", ".TO", true},  {"TSX", false, true, "TSX", "", true},
        {"NYSE", true, true, "NYSE", "", true},    // listed without a suffix
        {"  ASX ", true, false, "ASX", "", false}, // typed: no suffix to add
        {"tsx", true, false, "tsx", "", false},    // codes are matched exactly
    };
    for (const Case& c : cases) {
        CImportChoice choice = Choice();
        choice.SetMarket(c.market);
        choice.addSuffix = c.addSuffix;
        choice.replaceExisting = c.replace;
        choice.SetFiles({"/eod/a.txt", "/eod/b.txt"});
        EXPECT_EQ(choice.Listed(), c.listed) << c.market;
        EXPECT_EQ(choice.Validate().has_value(), false) << c.market;
        const SImportRequest request = choice.Request();
        EXPECT_EQ(request.files, (std::vector<std::string>{"/eod/a.txt", "/eod/b.txt"}));
        EXPECT_EQ(request.options.dataFolder, "/q/Data/");
        EXPECT_EQ(request.options.market, c.wantMarket) << c.market;
        EXPECT_EQ(request.options.suffix, c.wantSuffix) << c.market;
        EXPECT_EQ(request.options.replaceExisting, c.replace) << c.market;
        // What is remembered as the typed market.
        EXPECT_EQ(choice.OtherMarket(), c.listed ? "" : c.wantMarket) << c.market;
    }
}

TEST(ImportChoice, StartsOnTheMarketLastTypedAndRemembersTheFolderOfTheFiles) {
    EXPECT_EQ(Choice().Market(), "NYSE");
    EXPECT_EQ(Choice("ASX").Market(), "ASX");
    EXPECT_EQ(CImportChoice({}, {}, "/q/", "", "").Market(), "");
    // Choosing a listed market keeps the typed name remembered before.
    CImportChoice choice = Choice("ASX", "/old");
    choice.SetMarket("LSE");
    EXPECT_EQ(choice.OtherMarket(), "ASX");
    EXPECT_EQ(choice.ImportPath(), "/old");
    choice.SetFiles({"/new/eod/x.txt", "/elsewhere/y.txt"});
    EXPECT_EQ(choice.ImportPath(), "/new/eod");
    // A file dialog that gave nothing leaves the folder.
    choice.SetFiles({});
    EXPECT_EQ(choice.ImportPath(), "/new/eod");
}

TEST(ImportChoice, RefusesNoMarketAnUnusableMarketAndNoFilesNamingTheField) {
    CLanguage::SetFile("");
    struct Case {
        std::string market;
        size_t files;
        unsigned controlId;
        std::string message;
    };
    const Case cases[] = {
        {"  ", 1, CImportChoice::kMarketId, "Market: please choose or type a market."},
        {"../etc", 1, CImportChoice::kMarketId,
         "Market: The market \"../etc\" cannot be used as a folder name."},
        {"TSX", 0, CImportChoice::kFilesId, "No EOD DATA Selected."},
        {"TSX", 10001, CImportChoice::kFilesId,
         "Too many files selected. Please reduce the number of files and try again."},
    };
    for (const Case& c : cases) {
        CImportChoice choice = Choice();
        choice.SetMarket(c.market);
        choice.SetFiles(std::vector<std::string>(c.files, "/eod/f.txt"));
        const std::optional<SFieldError> error = choice.Validate();
        ASSERT_TRUE(error.has_value()) << c.market << c.files;
        EXPECT_EQ(error->controlId, c.controlId);
        EXPECT_EQ(error->message, c.message);
    }
}

TEST(ImportChoice, FilesTextCountsThroughTheStringTable) {
    CImportTempFolder home;
    CImportChoice choice = Choice();
    CLanguage::SetFile("");
    EXPECT_EQ(choice.FilesText(), "No EOD DATA Selected.");
    choice.SetFiles({"/a.txt", "/b.txt", "/c.txt"});
    EXPECT_EQ(choice.FilesText(), "3 files selected.");
    WriteImportText(
        home.Path() + "de.lng",
        "[String]\n559=%d Dateien gewählt.\n[Text]\nNo EOD DATA Selected.=Keine Daten.\n");
    CLanguage::SetFile(home.Path() + "de.lng");
    EXPECT_EQ(choice.FilesText(), "3 Dateien gewählt.");
    choice.SetFiles(std::vector<std::string>(10000, "/a.txt"));
    EXPECT_EQ(choice.FilesText(), "10000 Dateien gewählt.");
    EXPECT_EQ(Choice().FilesText(), "Keine Daten.");
    CLanguage::SetFile("");
}

TEST(ImportChoice, FileFilterInQtsForm) {
    const std::pair<std::string, std::string> cases[] = {
        {"EOD Data of MetaStock Format   (*.txt)|*.txt|All Files (*.*)|*.*|",
         "EOD Data of MetaStock Format   (*.txt);;All Files (*)"},
        {"Text|*.txt;*.csv|", "Text (*.txt *.csv)"},
        {"Text (*.txt)|*.txt;*.asc|", "Text (*.txt) (*.txt *.asc)"},
        {"|*.prn|Orphan", "(*.prn)"},
        {"Nothing|", "All Files (*)"},
        {"", "All Files (*)"},
    };
    for (const auto& [mfc, qt] : cases) EXPECT_EQ(QtFileFilter(mfc), qt) << mfc;
}

TEST(ImportChoice, ReadsMarketsAndSuffixesFromTheMarketList) {
    CMarketList markets;
    ASSERT_TRUE(markets.Parse("Market\tFullName\tSuffix\nTSX\tToronto\t.TO\nLSE\tLondon\t.L\n"));
    CImportChoice choice(markets, "/q/", "", "");
    EXPECT_EQ(choice.Codes(), (std::vector<std::string>{"TSX", "LSE"}));
    choice.SetMarket("LSE");
    EXPECT_EQ(choice.MarketSuffix(), ".L");
    EXPECT_EQ(choice.MarketFullName(), "London");
    choice.SetMarket("ASX");
    EXPECT_EQ(choice.MarketFullName(), "");
}
