#include "CWidgetWindow.h"
#include "ControlId.h"
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

CWidgetWindow::CWidgetWindow(QWidget& dialog) : m_widget(dialog), m_id(0), m_isDialog(true) {
    AddControlsBelow(dialog);
}

CWidgetWindow::CWidgetWindow(QWidget& control, unsigned id)
    : m_widget(control), m_id(id), m_isDialog(false) {
    AddControlsBelow(control);
}

void CWidgetWindow::AddControlsBelow(QWidget& widget) {
    for (QObject* object : widget.children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow()) continue;
        if (std::optional<unsigned> id = ControlIdOf(*child))
            m_children.push_back(std::unique_ptr<CWidgetWindow>(new CWidgetWindow(*child, *id)));
        else
            AddControlsBelow(*child);
    }
}

std::string CWidgetWindow::GetText() const {
    if (m_isDialog) return m_widget.windowTitle().toStdString();
    if (auto* label = qobject_cast<QLabel*>(&m_widget)) return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(&m_widget))
        return button->text().toStdString();
    if (auto* group = qobject_cast<QGroupBox*>(&m_widget)) return group->title().toStdString();
    return {};
}

void CWidgetWindow::SetText(const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (m_isDialog)
        m_widget.setWindowTitle(value);
    else if (auto* label = qobject_cast<QLabel*>(&m_widget))
        label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(&m_widget))
        button->setText(value);
    else if (auto* group = qobject_cast<QGroupBox*>(&m_widget))
        group->setTitle(value);
}
