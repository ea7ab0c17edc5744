#pragma once
#include "formset/environment/CEnvironmentEdit.h"
#include "formset/qt/CFormsetDialogOf.h"
#include <functional>
#include <optional>
#include <string>

class CQuoteSourcePage;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "Option" (dialog 300), on two pages: "General" with the proxy server, how many quotes a
// chart reads and how many bars a new chart shows, the two chart options and the folder of
// the quote files; "Quote source" with the quote service, its key and address and the
// markets' ticker suffixes (CQuoteSourcePage). OK hands the edit back for
// CEnvironmentEdit::Write; a refused field keeps the dialog open and shows its page.
class CEnvironmentFormset : public CFormsetDialogOf<CEnvironmentEdit> {
public:
    static constexpr unsigned kDialogId = 300;
    enum EControl : unsigned {
        kUseProxy = CEnvironmentEdit::kUseProxyField,
        kProxyAdd = CEnvironmentEdit::kProxyAddField,
        kProxyPort = CEnvironmentEdit::kProxyPortField,
        kMaximumQuotes = CEnvironmentEdit::kMaximumQuotesField,
        kBarsInWindow = CEnvironmentEdit::kBarsInWindowField,
        kCurveFloating = CEnvironmentEdit::kCurveFloatingField,
        kYAxisOffset = CEnvironmentEdit::kYAxisOffsetField,
        kDataFolder = CEnvironmentEdit::kDataFolderField,
        kBrowse = 1009,
        kProxyGroup = 1100,
        kProxyAddLabel = 1101,
        kProxyPortLabel = 1102,
        kChartGroup = 1103,
        kMaximumQuotesLabel = 1104,
        kBarsInWindowLabel = 1105,
        kFolderGroup = 1106,
        kDataFolderLabel = 1107,
        kNotMovedNote = 1108,
        // The pages (the language file's "Text" keys "TabGeneral" and "TabQuoteSource").
        kTabs = 1109,
    };

    // Asks for a folder, starting at `start`; nullopt when the user cancels.
    using FolderQuestion =
        std::function<std::optional<std::string>(QWidget* parent, const std::string& start)>;
    // Replaces the folder browser (tests answer it); an empty one restores QFileDialog.
    // Returns the one it replaces.
    static FolderQuestion SetFolderQuestion(FolderQuestion question);

    CEnvironmentFormset(const CEnvironmentEdit& edit, QWidget* parent);

    // The edit on OK, nothing on Cancel: the caller writes it.
    static bool Ask(QWidget* parent, CEnvironmentEdit& edit);

private:
    void Load() override;
    std::optional<SFieldError> Store() override;
    void Browse();

    QCheckBox* m_useProxy;
    QLineEdit* m_proxyAdd;
    QLineEdit* m_proxyPort;
    QLineEdit* m_maximumQuotes;
    QLineEdit* m_barsInWindow;
    QCheckBox* m_curveFloating;
    QCheckBox* m_yAxisOffset;
    QLineEdit* m_dataFolder;
    QPushButton* m_browse;
    CQuoteSourcePage* m_quoteSource;
};
