#include "CQuoteSourcePage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Rows of suffixes shown before the list scrolls.
constexpr int kSuffixRowsInView = 6;
} // namespace

CQuoteSourcePage::CQuoteSourcePage(const CQuoteSourceEdit& edit, const LabelMaker& label,
                                   QWidget* parent)
    : QWidget(parent), m_edit(edit) {
    auto* layout = new QVBoxLayout(this);

    auto* sourceGroup = new QGroupBox("Quote service", this);
    SetControlId(*sourceGroup, kSourceGroup);
    layout->addWidget(sourceGroup);
    auto* grid = new QGridLayout(sourceGroup);
    m_source = new QComboBox(sourceGroup);
    SetControlId(*m_source, kSource);
    for (std::string_view name : SQuoteSourceSettings::kSources)
        m_source->addItem(Text(std::string(name)), Text(std::string(name)));
    grid->addWidget(label("Ser&vice:", *m_source, kSourceLabel), 0, 0);
    grid->addWidget(m_source, 0, 1);

    m_apiKey = new QLineEdit(sourceGroup);
    SetControlId(*m_apiKey, kApiKey);
    m_apiKey->setEchoMode(QLineEdit::Password);
    m_apiKey->setMaxLength(static_cast<int>(CQuoteSourceEdit::kMaxKeyLength) + 1);
    grid->addWidget(label("API &key:", *m_apiKey, kApiKeyLabel), 1, 0);
    grid->addWidget(m_apiKey, 1, 1);
    m_showKey = new QCheckBox("S&how the key", sourceGroup);
    SetControlId(*m_showKey, kShowKey);
    grid->addWidget(m_showKey, 2, 1);

    m_baseAddress = new QLineEdit(sourceGroup);
    SetControlId(*m_baseAddress, kBaseAddress);
    m_baseAddress->setMaxLength(static_cast<int>(CQuoteSourceEdit::kMaxAddressLength) + 1);
    m_baseAddress->setMinimumWidth(300);
    grid->addWidget(label("Base &address:", *m_baseAddress, kBaseAddressLabel), 3, 0);
    grid->addWidget(m_baseAddress, 3, 1);
    auto* note = new QLabel("An empty address stands for the service's public one. A key makes "
                            "setup.ini readable by you alone.",
                            sourceGroup);
    SetControlId(*note, kSourceNote);
    note->setWordWrap(true);
    grid->addWidget(note, 4, 1);
    grid->setColumnStretch(1, 1);

    auto* suffixGroup = new QGroupBox("Ticker suffix of each market", this);
    SetControlId(*suffixGroup, kSuffixGroup);
    layout->addWidget(suffixGroup);
    auto* suffixLayout = new QVBoxLayout(suffixGroup);
    auto* rows = new QWidget;
    auto* rowGrid = new QGridLayout(rows);
    rowGrid->setContentsMargins(0, 0, 0, 0);
    const std::vector<CQuoteSourceEdit::SMarket>& markets = m_edit.Markets();
    for (std::size_t i = 0; i < markets.size(); ++i) {
        auto* suffix = new QLineEdit(rows);
        SetControlId(*suffix, CQuoteSourceEdit::kFirstSuffixField + static_cast<unsigned>(i));
        suffix->setMaxLength(static_cast<int>(CQuoteSourceEdit::kMaxSuffixLength) + 1);
        const std::string& fullName = markets[i].fullName;
        const std::string text =
            (fullName.empty() ? markets[i].code : fullName + " (" + markets[i].code + ")") + ":";
        // Market names are data, not texts of the program: no identifier, so none is translated.
        auto* name = new QLabel(Text(text), rows);
        name->setTextFormat(Qt::PlainText);
        name->setBuddy(suffix);
        rowGrid->addWidget(name, static_cast<int>(i), 0);
        rowGrid->addWidget(suffix, static_cast<int>(i), 1);
        m_suffixes.push_back(suffix);
    }
    rowGrid->setColumnStretch(1, 1);
    if (markets.size() > static_cast<std::size_t>(kSuffixRowsInView)) {
        auto* scroll = new QScrollArea(suffixGroup);
        scroll->setWidget(rows);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setMinimumHeight(rows->sizeHint().height() * kSuffixRowsInView /
                                 static_cast<int>(markets.size()));
        suffixLayout->addWidget(scroll);
    } else {
        rows->setParent(suffixGroup);
        suffixLayout->addWidget(rows);
    }
    const std::string noteText =
        markets.empty() ? "No markets: " + m_edit.MarketsProblem()
                        : "What the service adds to a market's tickers, \".us\" for instance.";
    auto* suffixNote = new QLabel(Text(noteText), suffixGroup);
    SetControlId(*suffixNote, kSuffixNote);
    suffixNote->setWordWrap(true);
    suffixLayout->addWidget(suffixNote);
    layout->addStretch(1);

    connect(m_showKey, &QCheckBox::toggled, this, [this](bool shown) {
        m_apiKey->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    connect(m_source, &QComboBox::currentIndexChanged, this, [this] { SourceChosen(); });
}

void CQuoteSourcePage::Load(const CQuoteSourceEdit& edit) {
    m_edit = edit;
    m_shown.clear();
    ShowSource(edit.Source());
}

void CQuoteSourcePage::ShowSource(const std::string& source) {
    const int index = m_source->findData(Text(source));
    if (index < 0) return;
    if (m_source->currentIndex() == index && m_shown == source) return;
    const QSignalBlocker blocker(m_source);
    m_source->setCurrentIndex(index);
    SourceChosen();
}

void CQuoteSourcePage::SourceChosen() {
    const std::string chosen = m_source->currentData().toString().toStdString();
    // What was typed for the source shown so far stays with it.
    if (!m_shown.empty()) {
        const std::string source = m_edit.Source();
        m_edit.SetSource(m_shown);
        m_edit.SetApiKey(m_shown, m_apiKey->text().toStdString());
        m_edit.SetAddress(m_shown, m_baseAddress->text().trimmed().toStdString());
        m_edit.SetSource(source);
    }
    m_shown = chosen;
    ShowSourceFields();
}

void CQuoteSourcePage::ShowSourceFields() {
    m_apiKey->setText(Text(m_edit.ApiKey(m_shown)));
    m_baseAddress->setText(Text(m_edit.Address(m_shown)));
    m_baseAddress->setPlaceholderText(Text(CQuoteSourceEdit::DefaultAddress(m_shown)));
    // A suffix not edited shows what the source now chosen gets.
    CQuoteSourceEdit shown = m_edit;
    shown.SetSource(m_shown);
    for (std::size_t i = 0; i < m_suffixes.size(); ++i) {
        QLineEdit& suffix = *m_suffixes[i];
        if (suffix.isModified()) continue;
        suffix.setText(Text(shown.Suffix(m_edit.Markets()[i].code)));
        suffix.setModified(false);
    }
}

void CQuoteSourcePage::Store(CQuoteSourceEdit& edit) {
    SourceChosen(); // the shown source's key and address into m_edit
    m_edit.SetSource(m_shown);
    edit = m_edit;
    for (std::size_t i = 0; i < m_suffixes.size(); ++i)
        edit.SetSuffix(edit.Markets()[i].code, m_suffixes[i]->text().trimmed().toStdString());
}
