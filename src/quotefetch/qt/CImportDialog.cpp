#include "CImportDialog.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/CMarketList.h"
#include "settings/CInstallPaths.h"
#include "settings/DataFolder.h"
#include "settings/ImportSettings.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr unsigned kFilterText = 514;
constexpr unsigned kTitleText = 515;

// Wide enough for "Too many files selected. Please reduce the number of files and try again."
// to wrap on two lines.
constexpr int kWidthChars = 44;

} // namespace

CImportDialog::CImportDialog(const CImportChoice& choice, FileChooser chooser, QWidget* parent)
    : CFormsetDialogOf(kDialogId, choice, parent), m_chooser(std::move(chooser)) {
    setWindowTitle(QStringLiteral("Import MetaStock EOD Data"));

    m_market = NewControl<QComboBox>(kMarketId);
    m_market->setEditable(true);
    m_market->setInsertPolicy(QComboBox::NoInsert);
    m_marketInfo = NewControl<QLabel>(kMarketInfoId);
    m_marketInfo->setTextFormat(Qt::PlainText);
    m_addSuffix = NewControl<QCheckBox>(kAddSuffixId);
    m_addSuffix->setText(QStringLiteral("Add s&uffix"));
    m_replace = NewControl<QCheckBox>(kReplaceId);
    m_replace->setText(QStringLiteral("&Replace existing days"));
    m_files = NewControl<QPushButton>(kFilesId);
    m_files->setText(QStringLiteral("&Files..."));
    m_files->setAutoDefault(false);
    m_filesText = NewControl<QLabel>(kFilesTextId);
    m_filesText->setTextFormat(Qt::PlainText);
    m_filesText->setWordWrap(true);
    m_filesText->setMinimumWidth(m_filesText->fontMetrics().averageCharWidth() * kWidthChars);

    auto* grid = new QGridLayout(Body());
    AddRow(*grid, 0, QStringLiteral("&Market:"), *m_market, kMarketLabelId);
    grid->addWidget(m_marketInfo, 1, 1);
    grid->addWidget(m_addSuffix, 2, 1);
    grid->addWidget(m_replace, 3, 1);
    grid->addWidget(m_files, 4, 0, Qt::AlignTop);
    grid->addWidget(m_filesText, 4, 1);
    grid->setColumnStretch(1, 1);

    setTabOrder(m_market, m_addSuffix);
    setTabOrder(m_addSuffix, m_replace);
    setTabOrder(m_replace, m_files);

    connect(m_market, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        Copy().SetMarket(text.toStdString());
        ShowMarketInfo();
    });
    connect(m_files, &QPushButton::clicked, this, [this] { ChooseFiles(); });
}

void CImportDialog::Load() {
    {
        const QSignalBlocker block(m_market);
        for (const std::string& code : Copy().Codes())
            m_market->addItem(QString::fromStdString(code));
        m_market->setCurrentText(QString::fromStdString(Copy().Market()));
    }
    m_addSuffix->setChecked(Copy().addSuffix);
    m_replace->setChecked(Copy().replaceExisting);
    m_filesText->setText(QString::fromStdString(Copy().FilesText()));
    ShowMarketInfo();
}

void CImportDialog::ShowMarketInfo() {
    std::string info;
    if (Copy().Market().empty())
        info.clear();
    else if (!Copy().Listed())
        info = CLanguage::TranslateText("MarketNotListed", "Not in the market list: no suffix.");
    else if (Copy().MarketSuffix().empty())
        info = FillPlaceholders(CLanguage::TranslateText("MarketNoSuffix", "%s, no ticker suffix"),
                                {{"%s", Copy().MarketFullName()}});
    else
        info = FillPlaceholders(CLanguage::TranslateText("MarketSuffix", "%s, ticker suffix %1"),
                                {{"%s", Copy().MarketFullName()}, {"%1", Copy().MarketSuffix()}});
    m_marketInfo->setText(QString::fromStdString(info));
}

void CImportDialog::ChooseFiles() {
    if (!m_chooser) return;
    SFileChoiceRequest request;
    request.title = CLanguage::TranslateString(kTitleText).value_or("");
    request.filter = QtFileFilter(CLanguage::TranslateString(kFilterText).value_or(""));
    request.folder = Copy().ImportPath();
    std::vector<std::string> files = m_chooser(request);
    // A cancelled file dialog keeps the files picked before.
    if (files.empty()) return;
    Copy().SetFiles(std::move(files));
    m_filesText->setText(QString::fromStdString(Copy().FilesText()));
}

std::optional<SFieldError> CImportDialog::Store() {
    Copy().SetMarket(m_market->currentText().toStdString());
    Copy().addSuffix = m_addSuffix->isChecked();
    Copy().replaceExisting = m_replace->isChecked();
    return std::nullopt;
}

std::optional<SImportRequest> CImportDialog::Ask(const CMarketList& markets, CIniReader& setup,
                                                 const std::string& dataFolder, FileChooser chooser,
                                                 QWidget* parent) {
    const SImportSettings settings = SImportSettings::Read(setup);
    CImportChoice choice(markets, dataFolder, settings.otherMarket, settings.importPath);
    QPointer<CImportDialog> dialog = new CImportDialog(choice, std::move(chooser), parent);
    const int result = dialog->exec();
    if (!dialog) return std::nullopt;
    const CImportChoice accepted = dialog->Result();
    delete dialog.data();
    if (result != QDialog::Accepted) return std::nullopt;
    const SImportSettings remembered{accepted.OtherMarket(), accepted.ImportPath()};
    if (CFileResult written = remembered.Write(setup); !written)
        CPrompter::Active().ShowMessage(FillPlaceholders(
            CLanguage::TranslateText("ImportSettingsNotSaved",
                                     "The import folder and market were not saved: %s"),
            {{"%s", written.message()}}));
    return accepted.Request();
}

std::optional<SImportRequest> CImportDialog::Ask(const CInstallPaths& paths, FileChooser chooser,
                                                 QWidget* parent) {
    // A missing or malformed market.txt lists no market; one can still be typed.
    CMarketList markets;
    (void)markets.Load(paths.MarketList());
    CIniReader setup(paths.SetupIni());
    return Ask(markets, setup, DataFolderOf(paths, setup), std::move(chooser), parent);
}

FileChooser CImportDialog::PlatformChooser(QWidget* parent) {
    return [parent = QPointer<QWidget>(parent)](const SFileChoiceRequest& request) {
        const QStringList picked = QFileDialog::getOpenFileNames(
            parent, QString::fromStdString(request.title), QString::fromStdString(request.folder),
            QString::fromStdString(request.filter));
        std::vector<std::string> files;
        for (const QString& file : picked) files.push_back(file.toStdString());
        return files;
    };
}
