#include "CColourButton.h"
#include "SampleIcon.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include <QColorDialog>
#include <QEvent>

namespace {

constexpr QSize kSwatchSize(36, 14);

} // namespace

CColourButton::CColourButton(QWidget* parent) : QPushButton(parent) {
    setIconSize(kSwatchSize);
    UpdateSwatch();
    connect(this, &QPushButton::clicked, this, &CColourButton::OpenColourDialog);
}

void CColourButton::SetColour(COLORREF colour) {
    colour &= 0xFFFFFF;
    if (colour == m_colour) return;
    m_colour = colour;
    UpdateSwatch();
    emit colourChanged(m_colour);
}

void CColourButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) UpdateSwatch();
}

void CColourButton::UpdateSwatch() {
    // A disabled button shows a grey swatch, as Qt greys the rest of a disabled button.
    const COLORREF fill = isEnabled() ? m_colour : MakeRGB(220, 220, 220);
    setIcon(SampleIcon(kSwatchSize, devicePixelRatioF(), [fill](CDC& dc) {
        dc.SelectPen(SPen{kPenSolid, 1, MakeRGB(64, 64, 64)});
        dc.SelectBrush(SBrush{fill});
        dc.Rectangle(CRect{0, 0, kSwatchSize.width(), kSwatchSize.height()});
    }));
}

void CColourButton::OpenColourDialog() {
    if (m_dialog) return;
    m_before = m_colour;
    m_dialog = new QColorDialog(QtConvert::ToQColor(m_colour), this);
    m_dialog->setOption(QColorDialog::DontUseNativeDialog);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog, &QColorDialog::currentColorChanged, this,
            [this](const QColor& colour) { SetColour(QtConvert::ToColorRef(colour)); });
    connect(m_dialog, &QDialog::finished, this,
            [this](int result) { CloseColourDialog(result == QDialog::Accepted); });
    m_dialog->open();
}

void CColourButton::CloseColourDialog(bool accepted) {
    const QColor chosen = m_dialog->selectedColor();
    m_dialog = nullptr;
    SetColour(accepted && chosen.isValid() ? QtConvert::ToColorRef(chosen) : m_before);
}
