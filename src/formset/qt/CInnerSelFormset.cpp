#include "CInnerSelFormset.h"
#include <QLabel>
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
}

std::optional<bool> CInnerSelFormset::Ask(QWidget* parent, int pane, const std::string& paneName) {
    SInnerSelChoice choice = SInnerSelChoice::StartingFor(pane, paneName);
    if (!DialogOnCopy<CInnerSelFormset>(parent)(choice)) return std::nullopt;
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
