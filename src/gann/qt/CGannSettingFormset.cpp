#include "CGannSettingFormset.h"
#include <QGridLayout>
#include <QLineEdit>

CGannSettingFormset::CGannSettingFormset(const SGannSetting& setting, QWidget* parent)
    : CFormsetDialogOf(kDialogId, setting, parent) {
    setWindowTitle("Gann Chart Setting");
    auto* grid = new QGridLayout(Body());
    m_side = NewControl<QLineEdit>(kSide);
    AddRow(*grid, 0, "&Row(Column):", *m_side, kSideLabel);
    m_start = NewControl<QLineEdit>(kStart);
    AddRow(*grid, 1, "&Start From:", *m_start, kStartLabel);
    m_end = NewControl<QLineEdit>(kEnd);
    AddRow(*grid, 2, "&End At:", *m_end, kEndLabel);
}

void CGannSettingFormset::Load() {
    m_side->setText(QString::number(Copy().side));
    ShowNumber(*m_start, Copy().start);
    ShowNumber(*m_end, Copy().end);
    m_side->selectAll();
    m_side->setFocus();
}

std::optional<SFieldError> CGannSettingFormset::Store() {
    if (auto refused =
            Copy().ReadSide(m_side->text().toStdString(), FieldName(*m_side).toStdString()))
        return refused;
    if (auto refused = ReadNumber(*m_start, Copy().start)) return refused;
    return ReadNumber(*m_end, Copy().end);
}
