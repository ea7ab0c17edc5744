#pragma once
#include "CFormsetDialogOf.h"
#include "formset/SYScaleRange.h"
#include <functional>

class QLineEdit;
class QPushButton;

// What the Y-scale dialog was closed with.
enum class EYScaleAnswer { Cancel, Ok, Auto };

// "Y-Scale Setting" (dialog 241): the top and bottom value of one pane. OK takes a range
// whose maximum lies above its minimum; "Auto" closes the dialog asking for the pane to be
// scaled to its data again, whatever the fields hold.
class CYScaleFormset : public CFormsetDialogOf<SYScaleRange> {
public:
    static constexpr unsigned kDialogId = 241;
    enum EControl : unsigned {
        kMax = SYScaleRange::kMaxField,
        kMin = SYScaleRange::kMinField,
        kAuto = 1003,
        kMaxLabel = 1101,
        kMinLabel = 1102,
    };
    // The dialog's result when closed by "Auto" (beside QDialog's Accepted and Rejected).
    static constexpr int kAutoResult = 2;

    CYScaleFormset(const SYScaleRange& range, QWidget* parent);

    // Shows `max` and `min`; on Ok they hold the values entered, on Cancel and Auto they are
    // unchanged.
    static EYScaleAnswer Ask(QWidget* parent, float& max, float& min);
    // The chart view's Y-scale dialog: true on OK; on Auto, `autoScale` runs once the dialog
    // has closed and the answer is false (the view keeps its scale for Auto-Scale to renew).
    static std::function<bool(float& max, float& min)> ViewDialog(QWidget* parent,
                                                                  std::function<void()> autoScale);

private:
    void Load() override;
    std::optional<SFieldError> Store() override;

    QLineEdit* m_max;
    QLineEdit* m_min;
    QPushButton* m_auto;
};
