#pragma once
#include "ctlkit/base/CFileResult.h"
#include "ctlkit/base/CIniReader.h"
#include "formset/SFieldError.h"
#include "settings/CInstallPaths.h"
#include "settings/QuoteSourceSettings.h"
#include <map>
#include <optional>
#include <string>
#include <vector>

// The fields as messages name them (the page passes its translated labels); a suffix field
// is named by its market's label, "Suffix of <code>" when none is given.
struct SQuoteSourceFieldNames {
    std::string apiKey = "API key";
    std::string baseAddress = "Base address";
    std::map<std::string, std::string> suffixes; // by market code
};

// What the quote source page of the environment dialog edits: [QUOTE_SOURCE] of setup.ini as
// read and the edited copy, with the markets of Index/market.txt whose ticker suffixes it
// shows. An empty address stands for the source's public one. A value the user did not
// change is neither checked nor written differently; nothing is written when nothing changed.
class CQuoteSourceEdit {
public:
    // The page's controls, which refused fields point at; a market's suffix is
    // kFirstSuffixField + its index in Markets().
    enum EField : unsigned {
        kSourceField = 1201,
        kApiKeyField = 1202,
        kBaseAddressField = 1203,
        kFirstSuffixField = 1300,
    };
    static constexpr std::size_t kMaxKeyLength = 256;
    static constexpr std::size_t kMaxAddressLength = 2048;
    static constexpr std::size_t kMaxSuffixLength = 16;

    struct SMarket {
        std::string code;
        std::string fullName;
        bool operator==(const SMarket&) const = default;
    };

    CQuoteSourceEdit() = default;
    // The settings now and the markets of market.txt. A source name that is none of the
    // three reads as the default one (stooq), which OK then writes.
    static CQuoteSourceEdit Read(const CInstallPaths& paths, CIniReader& ini);

    const SQuoteSourceSettings& Settings() const { return m_settings; }
    const SQuoteSourceSettings& Stored() const { return m_stored; }
    bool Changed() const;

    const std::vector<SMarket>& Markets() const { return m_markets; }
    // Why market.txt gave no markets ("" when it did).
    const std::string& MarketsProblem() const { return m_marketsProblem; }

    // The public address of a source, shown where none is set.
    static std::string DefaultAddress(const std::string& source);

    const std::string& Source() const { return m_settings.source; }
    // An unknown name changes nothing.
    void SetSource(const std::string& source);
    std::string ApiKey(const std::string& source) const { return m_settings.ApiKey(source); }
    void SetApiKey(const std::string& source, const std::string& key);
    // "" when the source uses its public address.
    std::string Address(const std::string& source) const;
    void SetAddress(const std::string& source, const std::string& address);
    // The suffix the chosen source gets for the market: its key when set, else the default.
    std::string Suffix(const std::string& market) const;
    // Sets the market's key, unless `suffix` is the one in effect already.
    void SetSuffix(const std::string& market, const std::string& suffix);

    // The chosen source's changed key or address, then every other source's, then the
    // changed suffixes: a key holds no blanks or control characters and at most 256
    // characters; an address begins with http:// or https:// and a host, holds no blanks and
    // at most 2048 characters; a suffix has at most 16 letters, digits or ".-_^=". Another
    // source's field is named with the source: "API key (alphavantage)".
    std::optional<SFieldError> Check(const SQuoteSourceFieldNames& names = {}) const;
    // One source's key and address alone, named as in Check.
    std::optional<SFieldError> CheckSource(const std::string& source,
                                           const SQuoteSourceFieldNames& names = {}) const;

    // Writes [QUOTE_SOURCE] through SQuoteSourceSettings (mode 0600 once a key is set) when
    // anything changed; else touches nothing.
    CFileResult Write(CIniReader& ini) const;

    bool operator==(const CQuoteSourceEdit& other) const;

private:
    SQuoteSourceSettings m_stored;
    SQuoteSourceSettings m_settings;
    std::vector<SMarket> m_markets;
    std::string m_marketsProblem;
};
