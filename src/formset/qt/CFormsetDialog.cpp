#include "CFormsetDialog.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include "formset/NumberText.h"
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

CFormsetDialog::ShownHook& ShownHookSlot() {
    static CFormsetDialog::ShownHook hook;
    return hook;
}

// "&Price:" → "Price"; "&&" stays one "&".
QString WithoutMnemonic(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    out = out.trimmed();
    if (out.endsWith(u':')) out.chop(1);
    return out.trimmed();
}

} // namespace

CFormsetDialog::CFormsetDialog(unsigned dialogId, QWidget* parent)
    : QDialog(parent), m_dialogId(dialogId), m_body(new QWidget(this)) {
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_body);
}

CFormsetDialog::ShownHook CFormsetDialog::SetShownHook(ShownHook hook) {
    std::swap(ShownHookSlot(), hook);
    return hook;
}

void CFormsetDialog::setVisible(bool visible) {
    if (visible && !m_completed) Complete();
    QDialog::setVisible(visible);
}

void CFormsetDialog::Complete() {
    m_completed = true;
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    SetControlId(*ok, 1);
    SetControlId(*cancel, 2);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFormsetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFormsetDialog::reject);
    layout()->addWidget(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    TranslateWidgets(*this, m_dialogId);
    Load();
}

void CFormsetDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const ShownHook& hook = ShownHookSlot())
        QMetaObject::invokeMethod(
            this, [this, hook] { hook(*this); }, Qt::QueuedConnection);
}

void CFormsetDialog::accept() {
    if (std::optional<SFieldError> error = StoreAndValidate()) {
        Refuse(*error);
        return;
    }
    QDialog::accept();
}

std::optional<SFieldError> CFormsetDialog::StoreAndValidate() {
    if (std::optional<SFieldError> error = Store()) return error;
    return ValidateModel();
}

void CFormsetDialog::Refuse(const SFieldError& error) {
    CPrompter::Active().ShowMessage(error.message);
    QWidget* field = FindControl(*this, error.controlId);
    if (!field) return;
    // A field on a page of tabs not in view: bring its page forward first.
    for (QWidget* page = field; page && page != this; page = page->parentWidget()) {
        QWidget* stack = page->parentWidget();
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(page) >= 0) tabs->setCurrentWidget(page);
    }
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

QLabel* CFormsetDialog::NewLabel(const QString& text, QWidget& buddy, std::optional<unsigned> id) {
    auto* label = new QLabel(text, m_body);
    label->setBuddy(&buddy);
    if (id) SetControlId(*label, *id);
    return label;
}

void CFormsetDialog::AddRow(QGridLayout& grid, int row, const QString& label, QWidget& control,
                            std::optional<unsigned> labelId) {
    grid.addWidget(NewLabel(label, control, labelId), row, 0);
    grid.addWidget(&control, row, 1);
}

void CFormsetDialog::ShowNumber(QLineEdit& edit, double value) {
    edit.setText(QString::fromStdString(FormatNumber(value)));
}

void CFormsetDialog::ShowNumber(QLineEdit& edit, float value) {
    edit.setText(QString::fromStdString(FormatNumber(value)));
}

std::optional<SFieldError> CFormsetDialog::ReadNumber(const QLineEdit& edit, double& value) const {
    return ReadNumberField(ControlIdOf(edit).value_or(0), FieldName(edit).toStdString(),
                           edit.text().toStdString(), LocaleDecimal(), value);
}

std::optional<SFieldError> CFormsetDialog::ReadNumber(const QLineEdit& edit, float& value) const {
    return ReadNumberField(ControlIdOf(edit).value_or(0), FieldName(edit).toStdString(),
                           edit.text().toStdString(), LocaleDecimal(), value);
}

int CFormsetDialog::Flag(const QAbstractButton& box) {
    return box.isChecked() ? 1 : 0;
}

QString CFormsetDialog::FieldName(const QWidget& control) const {
    for (const QLabel* label : findChildren<QLabel*>()) {
        if (label->buddy() == &control) return WithoutMnemonic(label->text());
    }
    return control.accessibleName();
}

std::string CFormsetDialog::LocaleDecimal() const {
    return locale().decimalPoint().toStdString();
}
