#include "CInnerSelFormset.h"
#include "describe/CIndicatorDescriptions.h"
#include "indicators/IndicatorDescriptions.h"
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CInnerSelFormset::CInnerSelFormset(const SInnerSelChoice& choice, QWidget* parent)
    : CFormsetDialogOf(kDialogId, choice, parent) {
    setWindowTitle("Insert or Replace");
    auto* column = new QVBoxLayout(Body());
    m_target = NewControl<QLabel>(kTarget);
    m_target->setTextFormat(Qt::PlainText); // a pane name is never markup
    column->addWidget(m_target);
    m_insert = NewControl<QRadioButton>(kInsert);
    m_insert->setText("&Insert");
    column->addWidget(m_insert);
    m_replace = NewControl<QRadioButton>(kReplace);
    m_replace->setText("&Replace");
    column->addWidget(m_replace);
    m_description = NewControl<QPushButton>(kDescription);
    m_description->setText("&Description...");
    m_description->setAutoDefault(false);
    m_description->setEnabled(false);
    column->addWidget(m_description, 0, Qt::AlignLeft);
    connect(m_description, &QPushButton::clicked, this,
            [this] { CIndicatorDescriptions::Show(this, m_programFolder, m_identifier); });
}

void CInnerSelFormset::SetIndicator(std::string identifier, std::string programFolder) {
    m_identifier = std::move(identifier);
    m_programFolder = std::move(programFolder);
    m_description->setEnabled(FindIndicatorDescription(m_identifier) != nullptr);
}

std::optional<bool> CInnerSelFormset::Ask(QWidget* parent, int pane, const std::string& paneName,
                                          const std::string& identifier,
                                          const std::string& programFolder) {
    SInnerSelChoice choice = SInnerSelChoice::StartingFor(pane, paneName);
    // As DialogOnCopy: a parent that goes away while the question is open takes it along.
    QPointer<CInnerSelFormset> dialog = new CInnerSelFormset(choice, parent);
    dialog->SetIndicator(identifier, programFolder);
    const int result = dialog->exec();
    if (!dialog) return std::nullopt;
    const bool ok = result == QDialog::Accepted;
    choice = dialog->Result();
    delete dialog.data();
    if (!ok) return std::nullopt;
    SInnerSelChoice::Remember(choice.insert);
    return choice.insert;
}

void CInnerSelFormset::Load() {
    m_target->setText(QString::fromStdString(Copy().TargetText()));
    QRadioButton* chosen = Copy().insert ? m_insert : m_replace;
    chosen->setChecked(true);
    chosen->setFocus();
}

std::optional<SFieldError> CInnerSelFormset::Store() {
    Copy().insert = m_insert->isChecked();
    return std::nullopt;
}
