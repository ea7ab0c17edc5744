#pragma once
#include "formset/qt/CFormsetDialogOf.h"
#include "quotefetch/CImportChoice.h"
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CIniReader;
class CInstallPaths;
class CMarketList;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// What the file dialog is asked: its title (515), its filter in Qt's form (from 514) and the
// folder it starts in.
struct SFileChoiceRequest {
    std::string title;
    std::string filter;
    std::string folder;
};
// Shows a file dialog for several existing files; the files picked, none when cancelled.
using FileChooser = std::function<std::vector<std::string>(const SFileChoiceRequest&)>;

// The MetaStock import dialog (dialog 141): the market (chosen from market.txt or typed),
// "Add suffix", "Replace existing days" and "Files...", which opens the file dialog and shows
// how many were picked (559, or 560 when too many). OK with no file says "No EOD DATA
// Selected." and stays open, as it does for a market that cannot be a folder name. Cancel,
// Escape and the close button give nothing.
class CImportDialog : public CFormsetDialogOf<CImportChoice> {
public:
    static constexpr unsigned kDialogId = 141;
    static constexpr unsigned kMarketId = CImportChoice::kMarketId;
    static constexpr unsigned kAddSuffixId = 1002;
    static constexpr unsigned kReplaceId = 1003;
    static constexpr unsigned kFilesId = CImportChoice::kFilesId;
    static constexpr unsigned kFilesTextId = 1005;
    static constexpr unsigned kMarketInfoId = 1006;
    static constexpr unsigned kMarketLabelId = 1101;

    CImportDialog(const CImportChoice& choice, FileChooser chooser, QWidget* parent);

    // The dialog over the installation's markets and setup.ini: on OK its request, and
    // "OtherMarket" and "ImportPath" written to setup.ini (a failed write is shown; the
    // import still goes ahead). Nothing on Cancel.
    static std::optional<SImportRequest> Ask(const CMarketList& markets, CIniReader& setup,
                                             const std::string& dataFolder, FileChooser chooser,
                                             QWidget* parent);
    // The same over an installation: its market.txt, its setup.ini and its data folder.
    static std::optional<SImportRequest> Ask(const CInstallPaths& paths, FileChooser chooser,
                                             QWidget* parent);
    // The file dialog of the platform.
    static FileChooser PlatformChooser(QWidget* parent);

    QComboBox* MarketBox() const { return m_market; }
    QCheckBox* AddSuffixBox() const { return m_addSuffix; }
    QCheckBox* ReplaceBox() const { return m_replace; }
    QPushButton* FilesButton() const { return m_files; }
    QLabel* FilesText() const { return m_filesText; }

protected:
    void Load() override;
    std::optional<SFieldError> Store() override;

private:
    void ChooseFiles();
    void ShowMarketInfo();

    FileChooser m_chooser;
    QComboBox* m_market = nullptr;
    QLabel* m_marketInfo = nullptr;
    QCheckBox* m_addSuffix = nullptr;
    QCheckBox* m_replace = nullptr;
    QPushButton* m_files = nullptr;
    QLabel* m_filesText = nullptr;
};
