#include "CWholeNumberFormset.h"
#include "ctlkit/lang/CLanguage.h"
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

CWholeNumberFormset::CWholeNumberFormset(unsigned dialogId, const SWholeNumberChoice& choice,
                                         const QString& title, const QString& label,
                                         QWidget* parent)
    : CFormsetDialogOf(dialogId, choice, parent) {
    setWindowTitle(title);
    auto* grid = new QGridLayout(Body());
    m_number = NewControl<QLineEdit>(kNumber);
    AddRow(*grid, 0, label, *m_number, kNumberLabel);
    m_range = NewControl<QLabel>(kRange);
    grid->addWidget(m_range, 0, 2);
}

void CWholeNumberFormset::Load() {
    const SWholeNumberChoice& c = Copy();
    m_number->setText(QString::number(c.value));
    // Room for the longest number of the range and a sign, not for a line of text.
    const QFontMetrics metrics(m_number->font());
    m_number->setMinimumWidth(metrics.horizontalAdvance(QString(6, u'0')) + 12);
    m_number->setMaximumWidth(metrics.horizontalAdvance(QString(12, u'0')) + 12);
    m_range->setText(QString::fromStdString(
        FillPlaceholders(CLanguage::TranslateText("RangeHint", "(%1 to %2)"),
                         {{"%1", std::to_string(c.low)}, {"%2", std::to_string(c.high)}})));
    m_number->selectAll();
    m_number->setFocus();
}

std::optional<SFieldError> CWholeNumberFormset::Store() {
    return Copy().Read(m_number->text().toStdString(), FieldName(*m_number).toStdString());
}
