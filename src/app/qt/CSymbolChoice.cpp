#include "CSymbolChoice.h"
#include "formset/qt/CFormsetDialogOf.h"
#include "formset/qt/pickers/CSymbolPicker.h"
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr unsigned kSymbolChoiceDialogId = 5120;
constexpr unsigned kPickerId = 1001;
constexpr unsigned kPickerLabelId = 1101;

struct SSymbolChoice {
    int icon = 0;
};

class CSymbolChoiceFormset : public CFormsetDialogOf<SSymbolChoice> {
public:
    CSymbolChoiceFormset(const SSymbolChoice& model, QWidget* parent)
        : CFormsetDialogOf(kSymbolChoiceDialogId, model, parent) {
        setWindowTitle("Symbols");
        auto* layout = new QVBoxLayout(Body());
        m_picker = NewControl<CSymbolPicker>(kPickerId);
        layout->addWidget(NewLabel("&Symbol to place:", *m_picker, kPickerLabelId));
        layout->addWidget(m_picker);
        // A double click is a choice, as in every list of this kind.
        connect(m_picker, &QListWidget::itemActivated, this, [this] { accept(); });
    }

private:
    void Load() override { m_picker->SetSymbol(Copy().icon); }
    std::optional<SFieldError> Store() override {
        Copy().icon = m_picker->Symbol();
        return std::nullopt;
    }

    CSymbolPicker* m_picker;
};

} // namespace

std::optional<int> AskSymbolIcon(QWidget* parent, int current) {
    CSymbolChoiceFormset dialog(SSymbolChoice{current}, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Result().icon;
}
