#include "CEnvironmentEdit.h"
#include "formset/NumberText.h"
#include "settings/DataFolder.h"
#include "settings/SetupSettings.h"
#include <algorithm>
#include <cctype>

namespace {
const char* const kProxy = "PROXY";
const char* const kEnvironment = "ENVIORMENT";

bool HasBlankOrControl(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return std::isspace(u) || std::iscntrl(u);
    });
}

std::optional<SFieldError> WholeNumber(unsigned id, std::string_view name, std::string_view text,
                                       int low, int high, int& value) {
    return ReadWholeNumberField(id, name, text, low, high, value);
}

// An edited number checked as if it had been typed, so the message is the field's own.
std::optional<SFieldError> InRange(unsigned id, std::string_view name, int value, int low,
                                   int high) {
    return WholeNumber(id, name, std::to_string(value), low, high, value);
}
} // namespace

CEnvironmentEdit CEnvironmentEdit::Read(const CInstallPaths& paths, CIniReader& ini) {
    CEnvironmentEdit edit;
    edit.m_programFolder = paths.ProgramFolder();
    SEnvironmentOptions& o = edit.m_stored;
    const ProxySettings proxy = ProxySettings::Read(ini);
    o.useProxy = proxy.useProxy;
    o.proxyAdd = proxy.proxyAdd;
    o.proxyPort = proxy.proxyPort;
    const StockLineSettings stockLine = StockLineSettings::Read(ini);
    o.maximumQuotes = stockLine.maximumQuotes;
    o.barsInWindow = stockLine.barsInWindow;
    const EnvironmentSettings environment = EnvironmentSettings::Read(ini);
    o.curveFloating = environment.curveFloating;
    o.yAxisOffset = environment.yAxisOffset;
    o.dataFolder = StoredDataFolder(ini);
    edit.m_options = o;
    edit.m_quoteSource = CQuoteSourceEdit::Read(paths, ini);
    return edit;
}

std::string CEnvironmentEdit::DataFolderPath() const {
    return DataFolderFrom(CInstallPaths(m_programFolder), m_options.dataFolder);
}

std::optional<SFieldError> CEnvironmentEdit::ReadNumbers(std::string_view maximumQuotes,
                                                         std::string_view barsInWindow,
                                                         const SEnvironmentFieldNames& names) {
    int maximum = m_options.maximumQuotes;
    if (auto error = WholeNumber(kMaximumQuotesField, names.maximumQuotes, maximumQuotes,
                                 kMinMaximumQuotes, kMaxMaximumQuotes, maximum))
        return error;
    int bars = m_options.barsInWindow;
    if (auto error =
            WholeNumber(kBarsInWindowField, names.barsInWindow, barsInWindow, 1, maximum + 1, bars))
        return error;
    const SEnvironmentOptions before = m_options;
    m_options.maximumQuotes = maximum;
    m_options.barsInWindow = bars;
    if (auto error = Check(names)) {
        m_options = before;
        return error;
    }
    return std::nullopt;
}

std::optional<SFieldError> CEnvironmentEdit::Check(const SEnvironmentFieldNames& names) const {
    const SEnvironmentOptions& o = m_options;
    if (o.useProxy && o.proxyAdd.empty())
        return SFieldError::Make(kProxyAddField, names.proxyAdd, "EnterProxyAddress",
                                 "%s: please enter the name or address of the proxy server.");
    if (HasBlankOrControl(o.proxyAdd))
        return SFieldError::Make(kProxyAddField, names.proxyAdd, "ProxyAddressBlank",
                                 "%s: a name or address holds no blanks.");
    if (o.proxyAdd.size() > kMaxHostLength)
        return SFieldError::Make(kProxyAddField, names.proxyAdd, "ProxyAddressLong",
                                 "%s: a name or address has at most %1 characters.",
                                 {{"%1", std::to_string(kMaxHostLength)}});
    if (o.useProxy && o.proxyPort.empty())
        return SFieldError::Make(kProxyPortField, names.proxyPort, "EnterProxyPort",
                                 "%s: please enter the port of the proxy server.");
    if (!o.proxyPort.empty()) {
        int port = 0;
        if (auto error = WholeNumber(kProxyPortField, names.proxyPort, o.proxyPort, kMinPort,
                                     kMaxPort, port))
            return error;
    }
    if (auto error = InRange(kMaximumQuotesField, names.maximumQuotes, o.maximumQuotes,
                             kMinMaximumQuotes, kMaxMaximumQuotes))
        return error;
    if (auto error =
            InRange(kBarsInWindowField, names.barsInWindow, o.barsInWindow, 1, o.maximumQuotes + 1))
        return error;
    if (o.dataFolder != m_stored.dataFolder) {
        const std::string problem = DataFolderProblem(DataFolderPath());
        if (!problem.empty())
            return SFieldError::Make(kDataFolderField, names.dataFolder, "DataFolderProblem",
                                     "%s: %1", {{"%1", problem}});
    }
    return m_quoteSource.Check(names.quoteSource);
}

bool CEnvironmentEdit::Write(CIniReader& ini) const {
    const SEnvironmentOptions& o = m_options;
    const SEnvironmentOptions& s = m_stored;
    bool ok = true;
    const auto wrote = [&ok](bool written) { ok = written && ok; };
    if (o.useProxy != s.useProxy) wrote(ini.setKeyBool(o.useProxy, "UseProxy", kProxy) != 0);
    if (o.proxyAdd != s.proxyAdd) wrote(ini.setKey(o.proxyAdd, "ProxyAdd", kProxy) != 0);
    if (o.proxyPort != s.proxyPort) {
        int port = 0;
        const bool number =
            !o.proxyPort.empty() &&
            !ReadWholeNumberField(kProxyPortField, "", o.proxyPort, kMinPort, kMaxPort, port);
        wrote(ini.setKey(number ? std::to_string(port) : o.proxyPort, "ProxyPort", kProxy) != 0);
    }
    if (o.maximumQuotes != s.maximumQuotes)
        wrote(StockLineSettings::WriteMaximumQuotes(ini, o.maximumQuotes));
    if (o.barsInWindow != s.barsInWindow)
        wrote(StockLineSettings::WriteBarsInWindow(ini, o.barsInWindow));
    if (o.curveFloating != s.curveFloating)
        wrote(ini.setKeyBool(o.curveFloating, "CurveFloating", kEnvironment) != 0);
    if (o.yAxisOffset != s.yAxisOffset)
        wrote(ini.setKeyBool(o.yAxisOffset, "YAxisOffset", kEnvironment) != 0);
    if (o.dataFolder != s.dataFolder) wrote(WriteDataFolder(ini, o.dataFolder));
    if (m_quoteSource.Changed()) wrote(m_quoteSource.Write(ini).ok());
    return ok;
}
