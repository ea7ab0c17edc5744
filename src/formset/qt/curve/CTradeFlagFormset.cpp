#include "CTradeFlagFormset.h"
#include "ctlkit/lang/CLanguage.h"
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CFlagMarkerList.h"
#include "formset/qt/pickers/CFontPicker.h"
#include <QFontComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
// The direction as the language file's "Text" key "Buy" or "Sell" names it.
QString DirectionText(int direction) {
    const bool buy = direction == 1;
    return QString::fromStdString(
        CLanguage::TranslateText(buy ? "Buy" : "Sell", buy ? "Buy" : "Sell"));
}
} // namespace

CTradeFlagFormset::CTradeFlagFormset(const STradeFlagProperties& properties, QWidget* parent)
    : CFormsetDialogOf(kDialogId, properties, parent) {
    setWindowTitle("Trade Flag Properties");
    auto* grid = new QGridLayout(Body());
    m_name = NewControl<QLineEdit>(kName);
    m_name->setReadOnly(true);
    AddRow(*grid, 0, "&Name:", *m_name, kNameLabel);
    m_direction = NewControl<QLineEdit>(kDirection);
    m_direction->setReadOnly(true);
    AddRow(*grid, 1, "&Direction:", *m_direction, kDirectionLabel);
    m_colour = NewControl<CColourButton>(kColour);
    AddRow(*grid, 2, "Co&lour:", *m_colour, kColourLabel);
    m_secondColour = NewControl<CColourButton>(kSecondColour);
    AddRow(*grid, 3, "S&econd colour:", *m_secondColour, kSecondColourLabel);
    m_marker = NewControl<CFlagMarkerList>(kMarker);
    AddRow(*grid, 4, "&Marker:", *m_marker, kMarkerLabel);
    m_text = NewControl<QLineEdit>(kText);
    AddRow(*grid, 5, "&Text:", *m_text, kTextLabel);
    m_font = NewControl<CFontPicker>(kFont);
    // The label leads to the face list: a mnemonic does not pass a composite's focus proxy on.
    grid->addWidget(NewLabel("&Font:", *m_font->FaceBox(), kFontLabel), 6, 0);
    grid->addWidget(m_font, 6, 1);
    grid->setColumnStretch(1, 1);
    connect(m_font, &CFontPicker::fontChanged, this, [this] {
        if (m_loaded) m_fontEdited = true;
    });
}

void CTradeFlagFormset::Load() {
    const STradeFlagProperties& p = Copy();
    m_name->setText(QString::fromStdString(p.name));
    m_direction->setText(DirectionText(p.direction));
    m_colour->SetColour(p.look.colour);
    m_secondColour->SetColour(p.look.secondColour);
    m_marker->SetSymbol(p.look.symbol);
    m_shownMarker = m_marker->Symbol();
    m_text->setText(QString::fromStdString(p.look.text));
    // A flag built by its system has no font yet: the picker shows the dialog's own.
    if (p.look.font.lfFaceName[0] != '\0') m_font->SetLogFont(p.look.font);
    m_colour->setFocus();
    m_loaded = true;
}

std::optional<SFieldError> CTradeFlagFormset::Store() {
    STradeFlagProperties& p = Copy();
    p.look.colour = m_colour->Colour();
    p.look.secondColour = m_secondColour->Colour();
    if (m_marker->Symbol() != m_shownMarker) p.look.symbol = m_marker->Symbol();
    p.look.text = m_text->text().toStdString();
    if (m_fontEdited) p.look.font = m_font->LogFont();
    const STradeFlagFieldNames names{FieldName(*m_colour).toStdString(),
                                     FieldName(*m_text).toStdString()};
    return p.Check(names);
}
