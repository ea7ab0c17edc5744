#pragma once
#include "CFormsetDialogOf.h"
#include "formset/SWholeNumberChoice.h"

class QLabel;
class QLineEdit;

// A dialog that asks for one whole number of a range: a labelled field and, beside it, the
// range it takes ("2 to 9"; the language file's "Text" key "RangeHint", "%1" and "%2"
// standing for the bounds). The pane-count and N-day questions are made of it.
class CWholeNumberFormset : public CFormsetDialogOf<SWholeNumberChoice> {
public:
    enum EControl : unsigned {
        kNumber = SWholeNumberChoice::kField,
        kNumberLabel = 1101,
        kRange = 1102,
    };

protected:
    CWholeNumberFormset(unsigned dialogId, const SWholeNumberChoice& choice, const QString& title,
                        const QString& label, QWidget* parent);

    // Runs `Dialog` on `choice`: its value on OK, nothing on Cancel.
    template <class Dialog>
    static std::optional<int> AskFor(QWidget* parent, SWholeNumberChoice choice) {
        if (!DialogOnCopy<Dialog>(parent)(choice)) return std::nullopt;
        return choice.value;
    }

private:
    void Load() override;
    std::optional<SFieldError> Store() override;

    QLineEdit* m_number;
    QLabel* m_range;
};
