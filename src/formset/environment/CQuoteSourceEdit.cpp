#include "CQuoteSourceEdit.h"
#include "download/CAlphaVantageSource.h"
#include "download/CMarketList.h"
#include "download/CStooqSource.h"
#include <algorithm>

namespace {
std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return text;
}

bool HasBlankOrControl(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u <= 0x20 || u == 0x7F;
    });
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != prefix[i]) return false;
    }
    return true;
}

// A web address with a host: the sources put their paths after it.
bool IsWebAddress(const std::string& address) {
    for (const char* scheme : {"http://", "https://"}) {
        const std::string prefix = scheme;
        if (StartsWithNoCase(address, prefix))
            return address.size() > prefix.size() && address[prefix.size()] != '/' &&
                   address[prefix.size()] != ':' && address[prefix.size()] != '?';
    }
    return false;
}

bool IsSuffix(const std::string& suffix) {
    return suffix.size() <= CQuoteSourceEdit::kMaxSuffixLength &&
           std::all_of(suffix.begin(), suffix.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '-' || c == '_' || c == '^' || c == '=';
           });
}

std::string Named(const std::string& name, const std::string& source, const std::string& chosen) {
    return source == chosen ? name : name + " (" + source + ")";
}

bool SameSettings(const SQuoteSourceSettings& a, const SQuoteSourceSettings& b) {
    return a.source == b.source && a.apiKeys == b.apiKeys && a.baseAddresses == b.baseAddresses &&
           a.suffixes == b.suffixes && a.yahooServer == b.yahooServer;
}
} // namespace

CQuoteSourceEdit CQuoteSourceEdit::Read(const CInstallPaths& paths, CIniReader& ini) {
    CQuoteSourceEdit edit;
    edit.m_stored = SQuoteSourceSettings::Read(ini);
    edit.m_settings = edit.m_stored;
    if (!SQuoteSourceSettings::IsKnownSource(edit.m_settings.source))
        edit.m_settings.source = SQuoteSourceSettings().source;
    CMarketList markets;
    if (const CFileResult loaded = markets.Load(paths.MarketList()); !loaded) {
        edit.m_marketsProblem = loaded.message();
    } else {
        for (std::size_t i = 0; i < markets.Codes().size(); ++i)
            edit.m_markets.push_back({markets.Codes()[i], markets.FullNames()[i]});
    }
    return edit;
}

bool CQuoteSourceEdit::Changed() const {
    return !SameSettings(m_settings, m_stored);
}

std::string CQuoteSourceEdit::DefaultAddress(const std::string& source) {
    if (source == "yahoo") return SQuoteSourceSettings().yahooServer;
    if (source == "stooq") return CStooqSource::kDefaultAddress;
    if (source == "alphavantage") return CAlphaVantageSource::kDefaultAddress;
    return {};
}

void CQuoteSourceEdit::SetSource(const std::string& source) {
    if (SQuoteSourceSettings::IsKnownSource(source)) m_settings.source = source;
}

void CQuoteSourceEdit::SetApiKey(const std::string& source, const std::string& key) {
    if (!SQuoteSourceSettings::IsKnownSource(source) || key == ApiKey(source)) return;
    if (key.empty())
        m_settings.apiKeys.erase(source);
    else
        m_settings.apiKeys[source] = key;
}

std::string CQuoteSourceEdit::Address(const std::string& source) const {
    const std::string address = m_settings.BaseAddress(source);
    return source == "yahoo" && address == DefaultAddress(source) ? std::string() : address;
}

void CQuoteSourceEdit::SetAddress(const std::string& source, const std::string& address) {
    if (!SQuoteSourceSettings::IsKnownSource(source) || address == Address(source)) return;
    if (source == "yahoo")
        m_settings.yahooServer = address.empty() ? DefaultAddress(source) : address;
    else if (address.empty())
        m_settings.baseAddresses.erase(source);
    else
        m_settings.baseAddresses[source] = address;
}

std::string CQuoteSourceEdit::Suffix(const std::string& market) const {
    return m_settings.Suffix(m_settings.source, market);
}

void CQuoteSourceEdit::SetSuffix(const std::string& market, const std::string& suffix) {
    if (suffix != Suffix(market)) m_settings.suffixes[Upper(market)] = suffix;
}

std::optional<SFieldError> CQuoteSourceEdit::CheckSource(const std::string& source,
                                                         const SQuoteSourceFieldNames& names) const {
    const std::string key = ApiKey(source);
    if (key != m_stored.ApiKey(source) &&
        (HasBlankOrControl(key) || key.size() > kMaxKeyLength))
        return SFieldError::Make(kApiKeyField, Named(names.apiKey, source, Source()),
                                 "QuoteSourceKey",
                                 "%s: a key holds no blanks and at most %1 characters.",
                                 {{"%1", std::to_string(kMaxKeyLength)}});
    const std::string address = m_settings.BaseAddress(source);
    if (address != m_stored.BaseAddress(source) && !Address(source).empty() &&
        (!IsWebAddress(address) || HasBlankOrControl(address) ||
         address.size() > kMaxAddressLength))
        return SFieldError::Make(kBaseAddressField, Named(names.baseAddress, source, Source()),
                                 "QuoteSourceAddress",
                                 "%s: please enter an address that begins with http:// or "
                                 "https://, without blanks, or leave it empty for %1.",
                                 {{"%1", DefaultAddress(source)}});
    return std::nullopt;
}

std::optional<SFieldError> CQuoteSourceEdit::Check(const SQuoteSourceFieldNames& names) const {
    if (auto error = CheckSource(Source(), names)) return error;
    for (std::string_view name : SQuoteSourceSettings::kSources)
        if (name != Source())
            if (auto error = CheckSource(std::string(name), names)) return error;
    for (std::size_t i = 0; i < m_markets.size(); ++i) {
        const std::string code = Upper(m_markets[i].code);
        const auto now = m_settings.suffixes.find(code);
        if (now == m_settings.suffixes.end() || IsSuffix(now->second)) continue;
        const auto before = m_stored.suffixes.find(code);
        if (before != m_stored.suffixes.end() && before->second == now->second) continue;
        const auto name = names.suffixes.find(m_markets[i].code);
        return SFieldError::Make(
            kFirstSuffixField + static_cast<unsigned>(i),
            name != names.suffixes.end() ? name->second : "Suffix of " + m_markets[i].code,
            "QuoteSourceSuffix", "%s: a ticker suffix has at most %1 letters, digits or \".-_^=\".",
            {{"%1", std::to_string(kMaxSuffixLength)}});
    }
    return std::nullopt;
}

CFileResult CQuoteSourceEdit::Write(CIniReader& ini) const {
    if (!Changed()) return {};
    return m_settings.Write(ini);
}

bool CQuoteSourceEdit::operator==(const CQuoteSourceEdit& other) const {
    return SameSettings(m_stored, other.m_stored) && SameSettings(m_settings, other.m_settings) &&
           m_markets == other.m_markets && m_marketsProblem == other.m_marketsProblem;
}
