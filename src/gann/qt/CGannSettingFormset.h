#pragma once
#include "formset/qt/CFormsetDialogOf.h"
#include "gann/SGannSetting.h"

class QLineEdit;

// "Gann Chart Setting": the square's side and the values of its first and last number.
class CGannSettingFormset : public CFormsetDialogOf<SGannSetting> {
public:
    static constexpr unsigned kDialogId = 197;
    enum EControl : unsigned {
        kSide = SGannSetting::kSideField,
        kStart = SGannSetting::kStartField,
        kEnd = SGannSetting::kEndField,
        kSideLabel = 1101,
        kStartLabel = 1102,
        kEndLabel = 1103,
    };

    CGannSettingFormset(const SGannSetting& setting, QWidget* parent);

private:
    void Load() override;
    std::optional<SFieldError> Store() override;

    QLineEdit* m_side;
    QLineEdit* m_start;
    QLineEdit* m_end;
};
