#pragma once
#include "CQuoteSourceEdit.h"
#include "ctlkit/base/CIniReader.h"
#include "formset/SFieldError.h"
#include "settings/CInstallPaths.h"
#include <optional>
#include <string>
#include <string_view>

// The settings of setup.ini that the environment dialog edits.
struct SEnvironmentOptions {
    // [PROXY]; the port as the text stored ("" when none).
    bool useProxy = false;
    std::string proxyAdd;
    std::string proxyPort;
    // [STOCKLINE_SETUP] "DisPeriod" and "DisDayNum".
    int maximumQuotes = 400;
    int barsInWindow = 50;
    // [ENVIORMENT] "CurveFloating" and "YAxisOffset".
    bool curveFloating = false;
    bool yAxisOffset = false;
    // The data folder as stored; "" = the program folder's "Data/".
    std::string dataFolder;

    bool operator==(const SEnvironmentOptions&) const = default;
};

// The fields as messages name them (the dialog passes its translated labels).
struct SEnvironmentFieldNames {
    std::string proxyAdd = "Address";
    std::string proxyPort = "Port";
    std::string maximumQuotes = "Most quotes read from a quote file";
    std::string barsInWindow = "Bars a new chart shows";
    std::string dataFolder = "Data folder";
    SQuoteSourceFieldNames quoteSource;
};

// What the environment dialog edits: the options as read from setup.ini and the edited copy.
// Write stores only the keys whose value the user changed, so a key another program wrote
// meanwhile is not overwritten with what the dialog happened to show.
class CEnvironmentEdit {
public:
    // The dialog's controls, which refused fields point at.
    enum EField : unsigned {
        kUseProxyField = 1001,
        kProxyAddField = 1002,
        kProxyPortField = 1003,
        kMaximumQuotesField = 1004,
        kBarsInWindowField = 1005,
        kCurveFloatingField = 1006,
        kYAxisOffsetField = 1007,
        kDataFolderField = 1008,
    };
    static constexpr int kMinMaximumQuotes = 50;
    static constexpr int kMaxMaximumQuotes = 1000000;
    static constexpr int kMinPort = 1;
    static constexpr int kMaxPort = 65535;
    static constexpr std::size_t kMaxHostLength = 253;

    CEnvironmentEdit() = default;
    // The options in setup.ini now; "DisPeriod" and "DisDayNum" take their defaults when
    // absent, empty or negative.
    static CEnvironmentEdit Read(const CInstallPaths& paths, CIniReader& ini);

    SEnvironmentOptions& Options() { return m_options; }
    const SEnvironmentOptions& Options() const { return m_options; }
    const SEnvironmentOptions& Stored() const { return m_stored; }
    // The quote source page's part: [QUOTE_SOURCE].
    CQuoteSourceEdit& QuoteSource() { return m_quoteSource; }
    const CQuoteSourceEdit& QuoteSource() const { return m_quoteSource; }
    bool Changed() const { return m_options != m_stored || m_quoteSource.Changed(); }

    // The folder the quote files go to with the edited data folder ("/" at the end).
    std::string DataFolderPath() const;

    // Reads the typed numbers into the options; "DisDayNum" is read against the
    // "DisPeriod" just read. Then Check. The options keep the old numbers when refused.
    std::optional<SFieldError> ReadNumbers(std::string_view maximumQuotes,
                                           std::string_view barsInWindow,
                                           const SEnvironmentFieldNames& names = {});
    // The first refused field, in the dialog's order: the proxy address (required when the
    // proxy is on, no blanks, at most 253 characters), the port (required when the proxy is
    // on, else empty or 1 to 65535), "DisPeriod" (50 to 1,000,000), "DisDayNum" (1 to
    // "DisPeriod" + 1), the data folder when it was changed (DataFolderProblem: it is
    // made when missing and must take a file; an unchanged folder is not tried again), and
    // the quote source (CQuoteSourceEdit::Check).
    std::optional<SFieldError> Check(const SEnvironmentFieldNames& names = {}) const;

    // Writes every changed key, each in one locked write; the port as plain decimal; the quote
    // source's section as one write when it changed. False when a write failed (the keys
    // written before it stay written).
    bool Write(CIniReader& ini) const;

    bool operator==(const CEnvironmentEdit&) const = default;

private:
    std::string m_programFolder;
    SEnvironmentOptions m_stored;
    SEnvironmentOptions m_options;
    CQuoteSourceEdit m_quoteSource;
};
