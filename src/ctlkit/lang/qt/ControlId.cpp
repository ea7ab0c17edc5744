#include "ControlId.h"
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kControlIdProperty = "zsControlId";
}

void SetControlId(QWidget& widget, unsigned id) {
    widget.setProperty(kControlIdProperty, QVariant::fromValue(id));
}

std::optional<unsigned> ControlIdOf(const QWidget& widget) {
    const QVariant id = widget.property(kControlIdProperty);
    if (!id.isValid()) return std::nullopt;
    return id.toUInt();
}

QWidget* FindControl(QWidget& root, unsigned id) {
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (ControlIdOf(*widget) == id) return widget;
    }
    return nullptr;
}
