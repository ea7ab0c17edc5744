#include "ImportTestSupport.h"
#include "download/CMarketList.h"
#include "quotefetch/CStockSelectModel.h"
#include <map>

namespace {

using Records = std::vector<CSymbolDatabase::SRecord>;

// Symbols by market, counting how often each market's database is read.
struct SFakeDatabases {
    std::map<std::string, Records> markets = {
        {"NYSE",
         {{"IBM", "International Business Machines"},
          {"GE", "General Electric"},
          {"KO", "Coca-Cola"},
          {"GEF", "Greif"}}},
        {"TSX", {{"RY", "Royal Bank"}, {"TD", "Toronto-Dominion Bank"}}},
    };
    std::map<std::string, int> reads;

    CStockSelectModel::SymbolSource Source() {
        return [this](const std::string& market) {
            ++reads[market];
            auto it = markets.find(market);
            return it == markets.end() ? Records{} : it->second;
        };
    }
};

std::vector<std::string> ShownSymbols(const CStockSelectModel& model) {
    std::vector<std::string> symbols;
    for (size_t row = 0; row < model.ShownCount(); ++row)
        symbols.push_back(model.ShownSymbol(row).symbol);
    return symbols;
}

std::vector<std::string> SelectedTexts(const CStockSelectModel& model) {
    std::vector<std::string> texts;
    for (const SSelectedStock& stock : model.Selected())
        texts.push_back(stock.market + ":" + stock.symbol);
    return texts;
}

using Strings = std::vector<std::string>;
using EChange = CStockSelectModel::EChange;

} // namespace

TEST(StockSelectModel, OpensOnTheMarketOfTheFirstSelectedRecordAndNamesTheSelection) {
    SFakeDatabases dbs;
    CStockSelectModel model({"NYSE", "TSX", "LSE"}, {"New York", "Toronto", ""},
                            {{"TSX", "TD"}, {"NYSE", "KO"}, {"LSE", "VOD"}, {"OLD", "X"}},
                            dbs.Source());
    EXPECT_EQ(model.Market(), 1);
    EXPECT_EQ(ShownSymbols(model), (Strings{"RY", "TD"}));
    EXPECT_EQ(model.MarketLabel(0), "NYSE - New York");
    EXPECT_EQ(model.MarketLabel(2), "LSE");
    EXPECT_EQ(model.NameOf({"TSX", "TD"}), "Toronto-Dominion Bank");
    EXPECT_EQ(model.NameOf({"NYSE", "KO"}), "Coca-Cola");
    // A market without a database, and one market.txt does not list.
    EXPECT_EQ(model.NameOf({"LSE", "VOD"}), "Can not get Name.");
    EXPECT_EQ(model.NameOf({"OLD", "X"}), "Can not get Name.");
    // Every database is read once however often names are asked for.
    EXPECT_EQ(model.NameOf({"NYSE", "IBM"}), "International Business Machines");
    EXPECT_EQ(dbs.reads, (std::map<std::string, int>{{"LSE", 1}, {"NYSE", 1}, {"TSX", 1}}));

    // Without a selection the first market; without markets none, and nothing to add.
    EXPECT_EQ(CStockSelectModel({"NYSE", "TSX"}, {}, {}, dbs.Source()).Market(), 0);
    CStockSelectModel none({}, {}, {}, dbs.Source());
    EXPECT_EQ(none.Market(), -1);
    EXPECT_EQ(none.ShownCount(), 0u);
    EXPECT_EQ(none.AddAll(), EChange::Unchanged);
    EXPECT_EQ(none.Add({0}), EChange::Unchanged);
    EXPECT_TRUE(none.Selected().empty());
}

TEST(StockSelectModel, FilterMatchesSymbolOrNameIgnoringCaseAndSurvivesAMarketChange) {
    SFakeDatabases dbs;
    CStockSelectModel model({"NYSE", "TSX"}, {"", ""}, {}, dbs.Source());
    struct Case {
        std::string filter;
        Strings shown;
    };
    const Case cases[] = {
        {"", {"IBM", "GE", "KO", "GEF"}},
        {"ge", {"GE", "GEF"}},       // symbols, and "General Electric"
        {"COLA", {"KO"}},            // a name
        {"e", {"IBM", "GE", "GEF"}}, // "Coca-Cola" has none
        {"zzz", {}},
    };
    for (const Case& c : cases) {
        model.SetFilter(c.filter);
        EXPECT_EQ(ShownSymbols(model), c.shown) << c.filter;
    }
    model.SetFilter("bank");
    model.SetMarket(1);
    EXPECT_EQ(ShownSymbols(model), (Strings{"RY", "TD"}));
    model.SetFilter("toronto");
    EXPECT_EQ(ShownSymbols(model), (Strings{"TD"}));
    // Outside the list: nothing changes.
    model.SetMarket(2);
    model.SetMarket(-1);
    EXPECT_EQ(model.Market(), 1);
    EXPECT_EQ(ShownSymbols(model), (Strings{"TD"}));
}

TEST(StockSelectModel, AddRemoveAllAndNoneKeepOrderAndNeverDuplicate) {
    SFakeDatabases dbs;
    CStockSelectModel model({"NYSE", "TSX"}, {"", ""}, {{"NYSE", "KO"}}, dbs.Source());
    EXPECT_EQ(model.Add({}), EChange::NothingMarked);
    EXPECT_EQ(model.Remove({}), EChange::NothingMarked);
    EXPECT_EQ(SelectedTexts(model), (Strings{"NYSE:KO"}));

    // Marked rows in list order whatever the order of marking; KO already there; row 9 is none.
    EXPECT_EQ(model.Add({3, 0, 2, 9, 0}), EChange::Changed);
    EXPECT_EQ(SelectedTexts(model), (Strings{"NYSE:KO", "NYSE:IBM", "NYSE:GEF"}));
    EXPECT_EQ(model.Add({2}), EChange::Unchanged);

    // The rows are those the filter shows.
    model.SetFilter("electric");
    EXPECT_EQ(model.Add({0}), EChange::Changed);
    EXPECT_EQ(SelectedTexts(model).back(), "NYSE:GE");

    // All adds what the filter shows, of the market shown.
    model.SetMarket(1);
    model.SetFilter("r");
    EXPECT_EQ(model.AddAll(), EChange::Changed);
    EXPECT_EQ(SelectedTexts(model),
              (Strings{"NYSE:KO", "NYSE:IBM", "NYSE:GEF", "NYSE:GE", "TSX:RY", "TSX:TD"}));
    EXPECT_EQ(model.AddAll(), EChange::Unchanged);
    model.SetFilter("nothing");
    EXPECT_EQ(model.AddAll(), EChange::Unchanged);

    // The same symbol in another market is another record.
    CStockSelectModel twin({"A", "B"}, {"", ""}, {{"A", "X"}}, [](const std::string&) {
        return Records{{"X", "Twin"}};
    });
    twin.SetMarket(1);
    EXPECT_EQ(twin.AddAll(), EChange::Changed);
    EXPECT_EQ(SelectedTexts(twin), (Strings{"A:X", "B:X"}));

    EXPECT_EQ(model.Remove({4, 0, 4, 17}), EChange::Changed);
    EXPECT_EQ(SelectedTexts(model), (Strings{"NYSE:IBM", "NYSE:GEF", "NYSE:GE", "TSX:TD"}));
    EXPECT_EQ(model.Remove({4}), EChange::Unchanged);
    EXPECT_EQ(model.RemoveAll(), EChange::Changed);
    EXPECT_TRUE(model.Selected().empty());
    EXPECT_EQ(model.RemoveAll(), EChange::Unchanged);
}

TEST(StockSelectModel, ReadsTheMarketsAndTheirDatabaseFiles) {
    CImportTempFolder home;
    CMarketList markets;
    ASSERT_TRUE(markets.Parse("Market\tFullName\tSuffix\nNYSE\tNew York\t\nTSX\tToronto\t.TO\n"));
    WriteImportText(home.Path() + "TSX.Dat", CSymbolDatabase::MakeRecord("RY", "Royal Bank") +
                                                 CSymbolDatabase::MakeRecord("TD", "TD Bank") +
                                                 CSymbolDatabase::MakeRecord("TD", "Again"));
    CStockSelectModel model(markets, {{"TSX", "TD"}},
                            CStockSelectModel::DatabaseSource(home.Path()));
    EXPECT_EQ(model.MarketLabel(1), "TSX - Toronto");
    EXPECT_EQ(ShownSymbols(model), (Strings{"RY", "TD", "TD"}));
    // A symbol the database holds twice: named by its first record, selected once.
    EXPECT_EQ(model.NameOf({"TSX", "TD"}), "TD Bank");
    EXPECT_EQ(model.AddAll(), EChange::Changed);
    EXPECT_EQ(SelectedTexts(model), (Strings{"TSX:TD", "TSX:RY"}));
    EXPECT_EQ(model.AvailableText(), "3 symbols");
    model.SetFilter("bank");
    EXPECT_EQ(model.AvailableText(), "2 of 3 symbols");
    // NYSE has no database yet: no symbols, and the way to get them.
    model.SetMarket(0);
    EXPECT_EQ(model.ShownCount(), 0u);
    EXPECT_EQ(model.AvailableText(),
              "No symbol list for this market: use Update List in ZentriStock.");
    EXPECT_EQ(CStockSelectModel({}, {}, {}, {}).AvailableText(), "");
}
