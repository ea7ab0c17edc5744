#pragma once
#include "CFormsetDialog.h"
#include "formset/FormsetModel.h"
#include <QPointer>
#include <functional>

// A dialog that edits a copy of a `Model` (formset/FormsetModel.h). A dialog is written so:
//
//     struct SYScale {                      // the model: platform-free, tested without Qt
//         float top = 0, bottom = 0;
//         std::optional<SFieldError> Validate() const;   // optional: rules between fields
//     };
//
//     class CYScaleFormset : public CFormsetDialogOf<SYScale> {
//     public:
//         CYScaleFormset(const SYScale& model, QWidget* parent)
//             : CFormsetDialogOf(kDialogId, model, parent) {
//             setWindowTitle("Y-Scale");                 // key "0" of the language file
//             auto* grid = new QGridLayout(Body());       // 1. build the controls, each with
//             m_top = NewControl<QLineEdit>(1001);        //    its control identifier, in
//             grid->addWidget(NewLabel("&Top:", *m_top, 1101), 0, 0);   // tab order, each
//             grid->addWidget(m_top, 0, 1);               //    field with a label
//         }
//     private:
//         void Load() override { ShowNumber(*m_top, Copy().top); }    // 2. copy → controls
//         std::optional<SFieldError> Store() override {                // 3. controls → copy
//             return ReadNumber(*m_top, Copy().top);                   //    first bad field
//         }
//         QLineEdit* m_top;
//     };
//
// Translation, OK and Cancel, the fixed size and Load() come with the first show. Store()
// reports the first field it cannot read; the model's Validate() (4.) runs after it. A
// dialog with a live preview calls Preview() when a control changes.
//
// The caller's seam is a std::function<bool(Model&)>: DialogOnCopy<CYScaleFormset>(parent).
template <FormsetModel Model> class CFormsetDialogOf : public CFormsetDialog {
    static_assert(
        ValidatedModel<Model> || !requires(const Model& model) { model.Validate(); },
        "a model's Validate() returns std::optional<SFieldError>");

public:
    using ModelType = Model;

    // The edited copy: what the dialog hands back once it was accepted.
    const Model& Result() const { return m_copy; }
    // Called with the copy whenever Preview() finds every field valid, and with the model
    // as it was given when the dialog is cancelled after such a call.
    void SetPreview(std::function<void(const Model&)> preview) { m_preview = std::move(preview); }

    void reject() override {
        if (m_previewed) m_preview(m_original);
        m_previewed = false;
        CFormsetDialog::reject();
    }

protected:
    CFormsetDialogOf(unsigned dialogId, const Model& model, QWidget* parent)
        : CFormsetDialog(dialogId, parent), m_original(model), m_copy(model) {}

    // The copy the controls edit.
    Model& Copy() { return m_copy; }
    const Model& Copy() const { return m_copy; }
    // Shows the copy through the preview, when every field is valid.
    void Preview() {
        if (!m_preview || StoreAndValidate()) return;
        m_preview(m_copy);
        m_previewed = true;
    }

private:
    std::optional<SFieldError> ValidateModel() const override {
        if constexpr (ValidatedModel<Model>)
            return m_copy.Validate();
        else
            return std::nullopt;
    }

    const Model m_original;
    Model m_copy;
    std::function<void(const Model&)> m_preview;
    bool m_previewed = false;
};

// The seam a model's owner calls: runs `Dialog` modally on a copy of the model and copies the
// result back on OK; true for OK. `Dialog` is made as Dialog(const Model&, QWidget* parent).
// When the parent goes away while the dialog is open (and takes the dialog with it), the
// answer is false and the model is not touched.
template <class Dialog>
std::function<bool(typename Dialog::ModelType&)>
DialogOnCopy(QWidget* parent, std::function<void(const typename Dialog::ModelType&)> preview = {}) {
    return [parent = QPointer<QWidget>(parent), preview](typename Dialog::ModelType& model) {
        QPointer<Dialog> dialog = new Dialog(model, parent.data());
        dialog->SetPreview(preview);
        const int result = dialog->exec();
        if (!dialog) return false;
        const bool ok = result == QDialog::Accepted;
        if (ok) model = dialog->Result();
        delete dialog.data();
        return ok;
    };
}
