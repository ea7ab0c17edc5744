#pragma once
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/SFieldError.h"
#include <QDialog>
#include <functional>
#include <optional>

class QAbstractButton;
class QGridLayout;
class QLabel;
class QLineEdit;

// The base of every dialog of the program: a modal dialog with OK (control 1) and Cancel
// (control 2) under a body of controls, which is translated with the dialog identifier when
// it is first shown. Dialogs edit a copy of a platform-free model: derive from
// CFormsetDialogOf<Model> (CFormsetDialogOf.h), which also explains how one is written.
//
// OK reads the controls into the copy (Store) and checks the model (its Validate()); while a
// field is refused the dialog stays open, shows the message through CPrompter::Active() and
// puts the focus on the field. Cancel, Escape and the close button take nothing.
// Enter is OK unless a push button has the focus. Numbers are read with the dialog's
// locale() (the default locale unless set).
//
// Tests open a dialog without blocking (open(), QTest::qWaitForWindowActive) and drive it
// with QTest, or drive a modal exec() (DialogOnCopy) through SetShownHook.
class CFormsetDialog : public QDialog {
public:
    unsigned DialogId() const { return m_dialogId; }

    void accept() override;
    // The first show completes the dialog: OK and Cancel, a fixed size, the translation, and
    // the controls loaded from the copy.
    void setVisible(bool visible) override;

    // For tests: called with every formset dialog once it shows, from its event loop (so a
    // modal exec() can be driven). Returns the hook it replaces.
    using ShownHook = std::function<void(CFormsetDialog&)>;
    static ShownHook SetShownHook(ShownHook hook);

protected:
    CFormsetDialog(unsigned dialogId, QWidget* parent);

    // The controls' parent: give it a layout and create the controls in it.
    QWidget* Body() const { return m_body; }
    // A control of the body with its identifier (ctlkit/lang/qt/ControlId.h).
    template <class Control> Control* NewControl(unsigned id);
    // A label whose mnemonic ("&Price:") moves the focus to `buddy`; it also names the
    // buddy's field in messages.
    QLabel* NewLabel(const QString& text, QWidget& buddy, std::optional<unsigned> id = {});
    // A row of `grid`: the control's label (NewLabel) in column 0, the control in column 1.
    void AddRow(QGridLayout& grid, int row, const QString& label, QWidget& control,
                std::optional<unsigned> labelId = {});

    // Copy → controls, on the first show.
    virtual void Load() = 0;
    // Controls → copy, on OK and Preview(); the first field that cannot be read is reported.
    virtual std::optional<SFieldError> Store() = 0;

    // Field helpers. Numbers are shown with "."; "." and the locale's decimal separator are
    // read. A field is named by its label (NewLabel), less "&" and the closing ":".
    static void ShowNumber(QLineEdit& edit, double value);
    static void ShowNumber(QLineEdit& edit, float value);
    std::optional<SFieldError> ReadNumber(const QLineEdit& edit, double& value) const;
    std::optional<SFieldError> ReadNumber(const QLineEdit& edit, float& value) const;
    // A check box as a stored flag: 1 or 0 (never Qt's checked state 2).
    static int Flag(const QAbstractButton& box);
    // The name of the field of `control`, as messages name it.
    QString FieldName(const QWidget& control) const;

    // Store(), then the model's rules.
    std::optional<SFieldError> StoreAndValidate();

    void showEvent(QShowEvent* event) override;

private:
    virtual std::optional<SFieldError> ValidateModel() const { return std::nullopt; }
    void Complete();
    void Refuse(const SFieldError& error);
    std::string LocaleDecimal() const;

    unsigned m_dialogId;
    QWidget* m_body;
    bool m_completed = false;
};

template <class Control> Control* CFormsetDialog::NewControl(unsigned id) {
    auto* control = new Control(m_body);
    SetControlId(*control, id);
    return control;
}
