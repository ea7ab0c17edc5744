#include "IniKeys.h"
#include "TestFiles.h"
#include "formset/environment/CEnvironmentEdit.h"
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using ini_keys::Keys;

namespace {
using Q = CQuoteSourceEdit;

const char* const kSetup = "[QUOTE_SOURCE]\n"
                           "Source=stooq\n"
                           "ApiKey_stooq=s3cret\n"
                           "BaseAddress_alphavantage=https://av.example.org\n"
                           "Suffix_TSX=.to\n"
                           "Suffix_XETRA=.de\n"
                           "[DOWNLOAD]\n"
                           "QuoteServer=http://quotes.example.org\n";

class QuoteSourceEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(home.Path() + "/Index");
        WriteText(paths.MarketList(), "Market\tFullName\tSuffix\nNYSE\tNew York Stock Exchange\t\n"
                                      "TSX\tToronto Stock Exchange\t.TO\nlse\tLondon\t.L\n");
        WriteText(paths.SetupIni(), kSetup);
    }
    Q Read() { return Q::Read(paths, ini); }
    mode_t Mode() {
        struct stat st{};
        ::stat(paths.SetupIni().c_str(), &st);
        return st.st_mode & 0777;
    }

    TempDir home;
    CInstallPaths paths{home.Path() + "/"};
    CIniReader ini{paths.SetupIni()};
};

TEST_F(QuoteSourceEditTest, ShowsTheSettingsAndTheMarketsOfMarketTxt) {
    const Q edit = Read();
    EXPECT_EQ(edit.Markets(), (std::vector<Q::SMarket>{{"NYSE", "New York Stock Exchange"},
                                                       {"TSX", "Toronto Stock Exchange"},
                                                       {"lse", "London"}}));
    EXPECT_EQ(edit.Source(), "stooq");
    EXPECT_EQ(edit.ApiKey("stooq"), "s3cret");
    EXPECT_EQ(edit.ApiKey("alphavantage"), "");
    EXPECT_EQ(edit.Address("stooq"), "");
    EXPECT_EQ(edit.Address("alphavantage"), "https://av.example.org");
    EXPECT_EQ(edit.Address("yahoo"), "http://quotes.example.org");
    EXPECT_EQ(edit.Suffix("NYSE"), ".us");
    EXPECT_EQ(edit.Suffix("TSX"), ".to");
    EXPECT_EQ(edit.Suffix("lse"), "");
    EXPECT_FALSE(edit.Changed());

    WriteText(paths.SetupIni(), "[QUOTE_SOURCE]\nSource=bloomberg\n");
    std::filesystem::remove(paths.MarketList());
    const Q unknown = Read();
    EXPECT_EQ(unknown.Source(), "stooq");
    EXPECT_TRUE(unknown.Changed());
    EXPECT_TRUE(unknown.Markets().empty());
    EXPECT_EQ(unknown.MarketsProblem(),
              "cannot open " + paths.MarketList() + ": No such file or directory");
    EXPECT_EQ(unknown.Address("yahoo"), "");
}

TEST_F(QuoteSourceEditTest, OkWritesTheChangedSectionAndNothingWhenNothingChanged) {
    struct Case {
        const char* what;
        std::function<void(Q&)> change;
        Keys written; // the keys that differ afterwards; empty: the file is untouched
        mode_t mode;
    };
    const Case cases[] = {
        {"nothing", [](Q&) {}, {}, 0644},
        {"a suffix typed as it is shown", [](Q& e) { e.SetSuffix("NYSE", ".us"); }, {}, 0644},
        {"the source and its key",
         [](Q& e) {
             e.SetSource("alphavantage");
             e.SetApiKey("alphavantage", "AVKEY");
         },
         {{"QUOTE_SOURCE/Source", "alphavantage"},
          {"QUOTE_SOURCE/ApiKey_alphavantage", "AVKEY"},
          {"QUOTE_SOURCE/ApiKey_yahoo", ""},
          {"QUOTE_SOURCE/BaseAddress_stooq", ""}},
         0600},
        {"yahoo's address back to the public one, a suffix of no market",
         [](Q& e) {
             e.SetAddress("yahoo", "");
             e.SetSuffix("lse", ".l");
             e.SetSuffix("NYSE", "");
         },
         {{"DOWNLOAD/QuoteServer", "http://ichart.finance.yahoo.com"},
          {"QUOTE_SOURCE/ApiKey_yahoo", ""},
          {"QUOTE_SOURCE/ApiKey_alphavantage", ""},
          {"QUOTE_SOURCE/BaseAddress_stooq", ""},
          {"QUOTE_SOURCE/Suffix_LSE", ".l"},
          {"QUOTE_SOURCE/Suffix_NYSE", ""}},
         0600},
    };
    for (const Case& c : cases) {
        WriteText(paths.SetupIni(), kSetup);
        ::chmod(paths.SetupIni().c_str(), 0644);
        const Keys before = ini_keys::Of(paths.SetupIni());
        Q edit = Read();
        c.change(edit);
        EXPECT_EQ(edit.Changed(), !c.written.empty()) << c.what;
        ASSERT_TRUE(edit.Write(ini)) << c.what;
        EXPECT_EQ(ini_keys::Changed(before, ini_keys::Of(paths.SetupIni())), c.written) << c.what;
        EXPECT_EQ(Mode(), c.mode) << c.what;
        if (c.written.empty()) {
            EXPECT_EQ(ReadText(paths.SetupIni()), kSetup) << c.what;
        }
    }
}

TEST_F(QuoteSourceEditTest, RefusesBadKeysAddressesAndSuffixesNamingTheField) {
    struct Case {
        const char* what;
        std::function<void(Q&)> change;
        unsigned field; // 0: accepted
        std::string message;
    };
    const std::string address = ": please enter an address that begins with http:// or "
                                "https://, without blanks, or leave it empty for ";
    const std::string suffix = ": a ticker suffix has at most 16 letters, digits or \".-_^=\".";
    const Case cases[] = {
        {"good values", [](Q& e) {
             e.SetApiKey("stooq", "abc-123_XYZ");
             e.SetAddress("stooq", "HTTPS://mirror.example.org:8443/base");
             e.SetSuffix("TSX", ".TO");
         }, 0, ""},
        {"a key with a blank", [](Q& e) { e.SetApiKey("stooq", "ab c"); }, Q::kApiKeyField,
         "API key: a key holds no blanks and at most 256 characters."},
        {"a key of 257 characters", [](Q& e) { e.SetApiKey("stooq", std::string(257, 'k')); },
         Q::kApiKeyField, "API key: a key holds no blanks and at most 256 characters."},
        {"another source's key is named with it",
         [](Q& e) { e.SetApiKey("alphavantage", "a\nb"); }, Q::kApiKeyField,
         "API key (alphavantage): a key holds no blanks and at most 256 characters."},
        {"an address without a scheme", [](Q& e) { e.SetAddress("stooq", "stooq.com"); },
         Q::kBaseAddressField, "Base address" + address + "https://stooq.com."},
        {"an address of another scheme", [](Q& e) { e.SetAddress("stooq", "ftp://stooq.com"); },
         Q::kBaseAddressField, "Base address" + address + "https://stooq.com."},
        {"an address without a host", [](Q& e) { e.SetAddress("stooq", "https:///q"); },
         Q::kBaseAddressField, "Base address" + address + "https://stooq.com."},
        {"an address with a blank",
         [](Q& e) { e.SetAddress("yahoo", "http://quotes.example.org/a b"); },
         Q::kBaseAddressField,
         "Base address (yahoo)" + address + "http://ichart.finance.yahoo.com."},
        {"an address of 2049 characters",
         [](Q& e) { e.SetAddress("stooq", "https://" + std::string(2041, 'a')); },
         Q::kBaseAddressField, "Base address" + address + "https://stooq.com."},
        {"the chosen source first",
         [](Q& e) {
             e.SetAddress("alphavantage", "x");
             e.SetApiKey("stooq", " ");
         },
         Q::kApiKeyField, "API key: a key holds no blanks and at most 256 characters."},
        {"a suffix with a slash", [](Q& e) { e.SetSuffix("lse", "/l"); },
         Q::kFirstSuffixField + 2, "Suffix of lse" + suffix},
        {"a suffix of 17 characters", [](Q& e) { e.SetSuffix("NYSE", std::string(17, 'u')); },
         Q::kFirstSuffixField, "Suffix of NYSE" + suffix},
    };
    for (const Case& c : cases) {
        Q edit = Read();
        c.change(edit);
        const std::optional<SFieldError> error = edit.Check();
        EXPECT_EQ(error ? error->controlId : 0u, c.field) << c.what;
        EXPECT_EQ(error ? error->message : "", c.message) << c.what;
    }
}

// A bad value stored by hand is left alone while the user changes something else.
TEST_F(QuoteSourceEditTest, AStoredValueIsNotCheckedAgainAndTheDialogModelCarriesThePage) {
    WriteText(paths.SetupIni(), "[QUOTE_SOURCE]\nBaseAddress_stooq=stooq.com\nSuffix_TSX=a b\n");
    CEnvironmentEdit environment = CEnvironmentEdit::Read(paths, ini);
    EXPECT_FALSE(environment.Changed());
    environment.QuoteSource().SetApiKey("stooq", "KEY");
    EXPECT_TRUE(environment.Changed());
    EXPECT_EQ(environment.Check(), std::nullopt);
    ASSERT_TRUE(environment.Write(ini));
    EXPECT_EQ(ini_keys::Of(paths.SetupIni())["QUOTE_SOURCE/ApiKey_stooq"], "KEY");
    EXPECT_EQ(ini_keys::Of(paths.SetupIni())["QUOTE_SOURCE/BaseAddress_stooq"], "stooq.com");
    EXPECT_EQ(Mode(), 0600u);
    environment.QuoteSource().SetAddress("stooq", "stooq.org");
    const std::optional<SFieldError> error = environment.Check();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->controlId, Q::kBaseAddressField);
}
} // namespace
