#include "CEnvironmentFormset.h"
#include "CQuoteSourcePage.h"
#include "ctlkit/lang/CLanguage.h"
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

std::optional<std::string> AskFolder(QWidget* parent, const std::string& start) {
    const QString chosen = QFileDialog::getExistingDirectory(parent, QStringLiteral("Data folder"),
                                                             QString::fromStdString(start));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

CEnvironmentFormset::FolderQuestion& FolderQuestionSlot() {
    static CEnvironmentFormset::FolderQuestion question = AskFolder;
    return question;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

std::string Trimmed(const QLineEdit& edit) {
    return edit.text().trimmed().toStdString();
}

} // namespace

CEnvironmentFormset::FolderQuestion
CEnvironmentFormset::SetFolderQuestion(FolderQuestion question) {
    if (!question) question = AskFolder;
    std::swap(FolderQuestionSlot(), question);
    return question;
}

CEnvironmentFormset::CEnvironmentFormset(const CEnvironmentEdit& edit, QWidget* parent)
    : CFormsetDialogOf(kDialogId, edit, parent) {
    setWindowTitle("Option");
    auto* bodyLayout = new QVBoxLayout(Body());
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    auto* tabs = NewControl<QTabWidget>(kTabs);
    bodyLayout->addWidget(tabs);
    // The pages are reached by their mnemonics and Ctrl+Tab; the Tab key walks the fields.
    tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    auto* general = new QWidget(tabs);
    tabs->addTab(general, QString::fromStdString(CLanguage::TranslateText("TabGeneral", "&General")));
    auto* layout = new QVBoxLayout(general);

    auto* proxy = NewControl<QGroupBox>(kProxyGroup);
    proxy->setTitle("Proxy server");
    layout->addWidget(proxy);
    auto* proxyGrid = new QGridLayout(proxy);
    m_useProxy = new QCheckBox("&Use a proxy server", proxy);
    SetControlId(*m_useProxy, kUseProxy);
    proxyGrid->addWidget(m_useProxy, 0, 0, 1, 2);
    m_proxyAdd = new QLineEdit(proxy);
    SetControlId(*m_proxyAdd, kProxyAdd);
    m_proxyAdd->setMaxLength(static_cast<int>(CEnvironmentEdit::kMaxHostLength) + 1);
    AddRow(*proxyGrid, 1, "&Address:", *m_proxyAdd, kProxyAddLabel);
    m_proxyPort = new QLineEdit(proxy);
    SetControlId(*m_proxyPort, kProxyPort);
    m_proxyPort->setMaxLength(10);
    AddRow(*proxyGrid, 2, "&Port:", *m_proxyPort, kProxyPortLabel);

    auto* chart = NewControl<QGroupBox>(kChartGroup);
    chart->setTitle("Charts");
    layout->addWidget(chart);
    auto* chartGrid = new QGridLayout(chart);
    m_maximumQuotes = new QLineEdit(chart);
    SetControlId(*m_maximumQuotes, kMaximumQuotes);
    AddRow(*chartGrid, 0, "Most &quotes read from a quote file:", *m_maximumQuotes,
           kMaximumQuotesLabel);
    m_barsInWindow = new QLineEdit(chart);
    SetControlId(*m_barsInWindow, kBarsInWindow);
    AddRow(*chartGrid, 1, "&Bars a new chart shows:", *m_barsInWindow, kBarsInWindowLabel);
    m_curveFloating =
        new QCheckBox("&Floating curves: the wheel may scroll past the first and last bar", chart);
    SetControlId(*m_curveFloating, kCurveFloating);
    chartGrid->addWidget(m_curveFloating, 2, 0, 1, 2);
    m_yAxisOffset = new QCheckBox("5 % &margin above and below the prices", chart);
    SetControlId(*m_yAxisOffset, kYAxisOffset);
    chartGrid->addWidget(m_yAxisOffset, 3, 0, 1, 2);

    auto* folder = NewControl<QGroupBox>(kFolderGroup);
    folder->setTitle("Quote files");
    layout->addWidget(folder);
    auto* folderGrid = new QGridLayout(folder);
    m_dataFolder = new QLineEdit(folder);
    SetControlId(*m_dataFolder, kDataFolder);
    m_dataFolder->setMinimumWidth(260);
    m_browse = new QPushButton("B&rowse...", folder);
    SetControlId(*m_browse, kBrowse);
    m_browse->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(m_dataFolder, 1);
    row->addWidget(m_browse);
    folderGrid->addWidget(NewLabel("&Data folder:", *m_dataFolder, kDataFolderLabel), 0, 0);
    folderGrid->addLayout(row, 0, 1);
    auto* note = new QLabel("Quote files already in the old folder are not moved.", folder);
    SetControlId(*note, kNotMovedNote);
    folderGrid->addWidget(note, 1, 1);

    layout->addStretch(1);

    m_quoteSource = new CQuoteSourcePage(
        edit.QuoteSource(),
        [this](const QString& text, QWidget& buddy, unsigned id) {
            return NewLabel(text, buddy, id);
        },
        tabs);
    tabs->addTab(m_quoteSource, QString::fromStdString(
                                    CLanguage::TranslateText("TabQuoteSource", "Quote &source")));

    connect(m_browse, &QPushButton::clicked, this, [this] { Browse(); });
}

bool CEnvironmentFormset::Ask(QWidget* parent, CEnvironmentEdit& edit) {
    return DialogOnCopy<CEnvironmentFormset>(parent)(edit);
}

void CEnvironmentFormset::Load() {
    const SEnvironmentOptions& o = Copy().Options();
    m_useProxy->setChecked(o.useProxy);
    m_proxyAdd->setText(Text(o.proxyAdd));
    m_proxyPort->setText(Text(o.proxyPort));
    m_maximumQuotes->setText(QString::number(o.maximumQuotes));
    m_barsInWindow->setText(QString::number(o.barsInWindow));
    m_curveFloating->setChecked(o.curveFloating);
    m_yAxisOffset->setChecked(o.yAxisOffset);
    m_dataFolder->setText(Text(o.dataFolder));
    CEnvironmentEdit empty = Copy();
    empty.Options().dataFolder.clear();
    m_dataFolder->setPlaceholderText(Text(empty.DataFolderPath()));
    m_quoteSource->Load(Copy().QuoteSource());
    m_useProxy->setFocus();
}

std::optional<SFieldError> CEnvironmentFormset::Store() {
    SEnvironmentOptions& o = Copy().Options();
    o.useProxy = Flag(*m_useProxy) != 0;
    o.proxyAdd = m_proxyAdd->text().toStdString();
    o.proxyPort = Trimmed(*m_proxyPort);
    o.curveFloating = Flag(*m_curveFloating) != 0;
    o.yAxisOffset = Flag(*m_yAxisOffset) != 0;
    o.dataFolder = Trimmed(*m_dataFolder);
    SEnvironmentFieldNames names;
    names.proxyAdd = FieldName(*m_proxyAdd).toStdString();
    names.proxyPort = FieldName(*m_proxyPort).toStdString();
    names.maximumQuotes = FieldName(*m_maximumQuotes).toStdString();
    names.barsInWindow = FieldName(*m_barsInWindow).toStdString();
    names.dataFolder = FieldName(*m_dataFolder).toStdString();
    m_quoteSource->Store(Copy().QuoteSource());
    SQuoteSourceFieldNames& sourceNames = names.quoteSource;
    sourceNames.apiKey = FieldName(*m_quoteSource->ApiKeyEdit()).toStdString();
    sourceNames.baseAddress = FieldName(*m_quoteSource->BaseAddressEdit()).toStdString();
    const auto& markets = Copy().QuoteSource().Markets();
    for (std::size_t i = 0; i < markets.size(); ++i)
        sourceNames.suffixes[markets[i].code] =
            FieldName(*m_quoteSource->SuffixEdits()[i]).toStdString();
    std::optional<SFieldError> error = Copy().ReadNumbers(
        m_maximumQuotes->text().toStdString(), m_barsInWindow->text().toStdString(), names);
    // A refused key or address of another source than the one shown: show that source.
    if (error && (error->controlId == CQuoteSourceEdit::kApiKeyField ||
                  error->controlId == CQuoteSourceEdit::kBaseAddressField)) {
        for (std::string_view name : SQuoteSourceSettings::kSources)
            if (Copy().QuoteSource().CheckSource(std::string(name), sourceNames)) {
                m_quoteSource->ShowSource(std::string(name));
                break;
            }
    }
    return error;
}

void CEnvironmentFormset::Browse() {
    CEnvironmentEdit shown = Copy();
    shown.Options().dataFolder = Trimmed(*m_dataFolder);
    if (std::optional<std::string> chosen = FolderQuestionSlot()(this, shown.DataFolderPath()))
        m_dataFolder->setText(Text(*chosen));
    m_dataFolder->setFocus();
}
