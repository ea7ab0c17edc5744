#include "CYScaleFormset.h"
#include <QGridLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <cmath>

CYScaleFormset::CYScaleFormset(const SYScaleRange& range, QWidget* parent)
    : CFormsetDialogOf(kDialogId, range, parent) {
    setWindowTitle("Y-Scale Setting");
    auto* grid = new QGridLayout(Body());
    m_max = NewControl<QLineEdit>(kMax);
    AddRow(*grid, 0, "&Maximum:", *m_max, kMaxLabel);
    m_min = NewControl<QLineEdit>(kMin);
    AddRow(*grid, 1, "M&inimum:", *m_min, kMinLabel);
    m_auto = NewControl<QPushButton>(kAuto);
    m_auto->setText("&Auto");
    grid->addWidget(m_auto, 2, 1, Qt::AlignRight);
    connect(m_auto, &QPushButton::clicked, this, [this] { done(kAutoResult); });
}

EYScaleAnswer CYScaleFormset::Ask(QWidget* parent, float& max, float& min) {
    QPointer<CYScaleFormset> dialog = new CYScaleFormset(SYScaleRange{max, min}, parent);
    const int result = dialog->exec();
    if (!dialog) return EYScaleAnswer::Cancel; // gone with its parent
    const SYScaleRange taken = dialog->Result();
    delete dialog.data();
    if (result == kAutoResult) return EYScaleAnswer::Auto;
    if (result != QDialog::Accepted) return EYScaleAnswer::Cancel;
    max = taken.max;
    min = taken.min;
    return EYScaleAnswer::Ok;
}

std::function<bool(float&, float&)> CYScaleFormset::ViewDialog(QWidget* parent,
                                                               std::function<void()> autoScale) {
    return [parent = QPointer<QWidget>(parent), hadParent = parent != nullptr,
            autoScale](float& max, float& min) {
        if (hadParent && !parent) return false; // its window has closed
        switch (Ask(parent.data(), max, min)) {
        case EYScaleAnswer::Ok:
            return true;
        case EYScaleAnswer::Auto:
            if (autoScale) autoScale();
            return false;
        case EYScaleAnswer::Cancel:
            break;
        }
        return false;
    };
}

void CYScaleFormset::Load() {
    // A pane without values has no range to show; the user types one.
    auto show = [](QLineEdit& edit, float value) {
        if (std::isfinite(value))
            ShowNumber(edit, value);
        else
            edit.clear();
    };
    show(*m_max, Copy().max);
    show(*m_min, Copy().min);
    m_max->selectAll();
    m_max->setFocus();
}

std::optional<SFieldError> CYScaleFormset::Store() {
    const SYScaleFieldNames names{FieldName(*m_max).toStdString(), FieldName(*m_min).toStdString()};
    return Copy().Read(m_max->text().toStdString(), m_min->text().toStdString(),
                       locale().decimalPoint().toStdString(), names);
}
