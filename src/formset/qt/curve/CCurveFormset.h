#pragma once
#include "formset/curve/SCurveProperties.h"
#include "formset/qt/CFormsetDialogOf.h"

class CColourButton;
class CCurveStyleList;
class QLineEdit;

// "Curve Properties" (dialog 270): the colour, line width (0 to 20) and style (the draw
// kinds 0 to 13) of one indicator curve; its name and parameter text are shown read-only.
class CCurveFormset : public CFormsetDialogOf<SCurveProperties> {
public:
    static constexpr unsigned kDialogId = 270;
    enum EControl : unsigned {
        kColour = SCurveProperties::kColourField,
        kWidth = SCurveProperties::kWidthField,
        kStyle = SCurveProperties::kStyleField,
        kName = 1004,
        kParameter = 1005,
        kNameLabel = 1101,
        kParameterLabel = 1102,
        kColourLabel = 1103,
        kWidthLabel = 1104,
        kStyleLabel = 1105,
    };

    CCurveFormset(const SCurveProperties& properties, QWidget* parent);

private:
    void Load() override;
    std::optional<SFieldError> Store() override;

    QLineEdit* m_name;
    QLineEdit* m_parameter;
    CColourButton* m_colour;
    QLineEdit* m_width;
    CCurveStyleList* m_style;
};
