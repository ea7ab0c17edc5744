#pragma once
#include "formset/curve/STradeFlagProperties.h"
#include "formset/qt/CFormsetDialogOf.h"

class CColourButton;
class CFlagMarkerList;
class CFontPicker;
class QLineEdit;

// "Trade Flag Properties" (dialog 271): the colour, second colour, marker, text and font of
// one trade-flag series; its name and direction (buy or sell) are shown read-only. A marker
// or font that the lists cannot show as stored is kept as it was unless the user picks
// another.
class CTradeFlagFormset : public CFormsetDialogOf<STradeFlagProperties> {
public:
    static constexpr unsigned kDialogId = 271;
    enum EControl : unsigned {
        kColour = STradeFlagProperties::kColourField,
        kSecondColour = STradeFlagProperties::kSecondColourField,
        kMarker = STradeFlagProperties::kMarkerField,
        kText = STradeFlagProperties::kTextField,
        kFont = STradeFlagProperties::kFontField,
        kName = 1006,
        kDirection = 1007,
        kNameLabel = 1101,
        kDirectionLabel = 1102,
        kColourLabel = 1103,
        kSecondColourLabel = 1104,
        kMarkerLabel = 1105,
        kTextLabel = 1106,
        kFontLabel = 1107,
    };

    CTradeFlagFormset(const STradeFlagProperties& properties, QWidget* parent);

private:
    void Load() override;
    std::optional<SFieldError> Store() override;

    QLineEdit* m_name;
    QLineEdit* m_direction;
    CColourButton* m_colour;
    CColourButton* m_secondColour;
    CFlagMarkerList* m_marker;
    QLineEdit* m_text;
    CFontPicker* m_font;
    // What the marker list showed when loaded; the font was changed by the user since.
    int m_shownMarker = 0;
    bool m_loaded = false;
    bool m_fontEdited = false;
};
