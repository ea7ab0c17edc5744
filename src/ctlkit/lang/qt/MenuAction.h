#pragma once
#include <QString>

class QAction;

// A menu action carries its command identifier as its data (0 = none) and the text it was
// built with, its resource text, as a property: translation off gives that text back.
void SetCommandId(QAction& action, unsigned command);
unsigned CommandIdOf(const QAction& action);
void SetResourceText(QAction& action, const QString& text);
// The resource text, or the action's current text when none was recorded.
QString ResourceTextOf(const QAction& action);
bool HasResourceText(const QAction& action);
