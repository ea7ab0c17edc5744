#include "MenuAction.h"
#include <QAction>

namespace {
constexpr const char* kResourceTextProperty = "zsResourceText";
}

void SetCommandId(QAction& action, unsigned command) {
    action.setData(QVariant::fromValue(command));
}

unsigned CommandIdOf(const QAction& action) {
    return action.data().toUInt();
}

void SetResourceText(QAction& action, const QString& text) {
    action.setProperty(kResourceTextProperty, text);
}

QString ResourceTextOf(const QAction& action) {
    const QVariant text = action.property(kResourceTextProperty);
    return text.isValid() ? text.toString() : action.text();
}

bool HasResourceText(const QAction& action) {
    return action.property(kResourceTextProperty).isValid();
}
