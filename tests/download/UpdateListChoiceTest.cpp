#include "ctlkit/lang/CLanguage.h"
#include "download/CMarketList.h"
#include "download/qt/CUpdateListChoice.h"
#include <gtest/gtest.h>

namespace {
const char* const kMarkets = "Market\tFullName\tSuffix\n"
                             "NYSE\tNew York Stock Exchange\t\n"
                             "TSX\tToronto Stock Exchange\t.TO\n"
                             "LSE\tLondon Stock Exchange\t.L\n";
} // namespace

TEST(UpdateListChoice, OffersTheMarketsInFileOrderWithFullNameAndCode) {
    CMarketList markets;
    ASSERT_TRUE(markets.Parse(kMarkets));
    const CUpdateListChoice choice(markets);
    ASSERT_EQ(choice.Count(), 3);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"NYSE", "New York Stock Exchange (NYSE)"},
        {"TSX", "Toronto Stock Exchange (TSX)"},
        {"LSE", "London Stock Exchange (LSE)"}};
    for (int i = 0; i < choice.Count(); ++i) {
        EXPECT_EQ(choice.Code(i), expected[i].first) << i;
        EXPECT_EQ(choice.Label(i), expected[i].second) << i;
        EXPECT_FALSE(choice.Checked(i)) << i;
    }
    // A market without a full name (or a short names list) is labelled by its code.
    const CUpdateListChoice bare({"AMEX", "OTC"}, {"American Stock Exchange"});
    EXPECT_EQ(bare.Label(0), "American Stock Exchange (AMEX)");
    EXPECT_EQ(bare.Label(1), "OTC");
}

TEST(UpdateListChoice, StartTakesTheCheckedCodesInListOrderAndRefusesNone) {
    CLanguage::SetFile("");
    struct SCase {
        const char* what;
        std::vector<std::pair<int, bool>> checks; // applied in this order
        std::vector<std::string> chosen;
    };
    const std::vector<SCase> cases = {
        {"nothing checked", {}, {}},
        {"checked out of order", {{2, true}, {0, true}}, {"NYSE", "LSE"}},
        {"checked and unchecked again", {{1, true}, {1, false}}, {}},
        {"indices outside the list change nothing", {{-1, true}, {3, true}, {1, true}}, {"TSX"}},
        {"all", {{0, true}, {1, true}, {2, true}}, {"NYSE", "TSX", "LSE"}},
    };
    for (const SCase& c : cases) {
        CUpdateListChoice choice({"NYSE", "TSX", "LSE"}, {"New York", "Toronto", "London"});
        for (auto [index, checked] : c.checks) choice.SetChecked(index, checked);
        EXPECT_EQ(choice.Chosen(), c.chosen) << c.what;
        const std::optional<SFieldError> error = choice.Validate();
        EXPECT_EQ(error.has_value(), c.chosen.empty()) << c.what;
        if (!error) continue;
        EXPECT_EQ(error->controlId, CUpdateListChoice::kMarketsId) << c.what;
        EXPECT_EQ(error->fieldName, "Markets") << c.what;
        EXPECT_EQ(error->message, "Markets: please choose at least one market.") << c.what;
    }
    CUpdateListChoice choice({"NYSE", "TSX"}, {"", ""});
    choice.SetAll(true);
    EXPECT_EQ(choice.Chosen(), (std::vector<std::string>{"NYSE", "TSX"}));
    choice.SetAll(false);
    EXPECT_TRUE(choice.Chosen().empty());
}

TEST(UpdateListChoice, AMalformedMarketFileOffersNothingToStart) {
    CMarketList markets;
    EXPECT_FALSE(markets.Parse("Market\tFullName\nNYSE\tNew York Stock Exchange\n"));
    CUpdateListChoice choice(markets);
    EXPECT_EQ(choice.Count(), 0);
    choice.SetAll(true);
    EXPECT_TRUE(choice.Validate().has_value());
}
