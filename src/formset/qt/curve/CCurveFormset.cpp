#include "CCurveFormset.h"
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CCurveStyleList.h"
#include <QGridLayout>
#include <QLineEdit>

CCurveFormset::CCurveFormset(const SCurveProperties& properties, QWidget* parent)
    : CFormsetDialogOf(kDialogId, properties, parent) {
    setWindowTitle("Curve Properties");
    auto* grid = new QGridLayout(Body());
    m_name = NewControl<QLineEdit>(kName);
    m_name->setReadOnly(true);
    AddRow(*grid, 0, "&Name:", *m_name, kNameLabel);
    m_parameter = NewControl<QLineEdit>(kParameter);
    m_parameter->setReadOnly(true);
    AddRow(*grid, 1, "&Parameter:", *m_parameter, kParameterLabel);
    m_colour = NewControl<CColourButton>(kColour);
    AddRow(*grid, 2, "Co&lour:", *m_colour, kColourLabel);
    m_width = NewControl<QLineEdit>(kWidth);
    m_width->setMaxLength(8);
    AddRow(*grid, 3, "&Width:", *m_width, kWidthLabel);
    m_style = NewControl<CCurveStyleList>(kStyle);
    AddRow(*grid, 4, "&Style:", *m_style, kStyleLabel);
    grid->setColumnStretch(1, 1);
    // Wide enough for the longer curve names ("Williams %R", "52WK High") and parameters.
    m_name->setMinimumWidth(m_name->fontMetrics().horizontalAdvance(QString(24, u'M')) / 2);
}

void CCurveFormset::Load() {
    const SCurveProperties& p = Copy();
    m_name->setText(QString::fromStdString(p.name));
    m_parameter->setText(QString::fromStdString(p.parameter));
    m_colour->SetColour(p.look.colour);
    m_width->setText(QString::number(p.look.lineWidth));
    m_style->SetCurveStyle(p.look.drawKind);
    m_colour->setFocus();
}

std::optional<SFieldError> CCurveFormset::Store() {
    SCurveProperties& p = Copy();
    p.look.colour = m_colour->Colour();
    p.look.drawKind = m_style->CurveStyle();
    const SCurveFieldNames names{FieldName(*m_colour).toStdString(),
                                 FieldName(*m_width).toStdString(),
                                 FieldName(*m_style).toStdString()};
    return p.Read(m_width->text().toStdString(), names);
}
