#include "MenuBuilder.h"
#include "MenuAction.h"
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <memory>

namespace {

using SharedHandler = std::shared_ptr<const MenuCommandHandler>;

void SetShortcutFromText(QAction& action, std::string_view text) {
    const QKeySequence shortcut = QKeySequence::fromString(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
        QKeySequence::PortableText);
    if (!shortcut.isEmpty() && shortcut[0].key() != Qt::Key_unknown) action.setShortcut(shortcut);
}

QAction* MakeCommand(QWidget& target, const SMenuItem& item, const SharedHandler& handler) {
    auto* action = new QAction(QString::fromStdString(item.text), &target);
    SetCommandId(*action, item.id);
    SetResourceText(*action, action->text());
    SetShortcutFromText(*action, MenuItemShortcut(item.text));
    const unsigned id = item.id;
    QObject::connect(action, &QAction::triggered, action, [handler, id] {
        if (*handler) (*handler)(id);
    });
    return action;
}

void Fill(QWidget& target, const CMenuTable& table, const SharedHandler& handler) {
    for (const SMenuItem& item : table) {
        switch (item.kind) {
        case SMenuItem::Kind::Separator: {
            auto* separator = new QAction(&target);
            separator->setSeparator(true);
            target.addAction(separator);
            break;
        }
        case SMenuItem::Kind::Command:
            target.addAction(MakeCommand(target, item, handler));
            break;
        case SMenuItem::Kind::Popup: {
            auto* popup = new QMenu(QString::fromStdString(item.text), &target);
            SetResourceText(*popup->menuAction(), popup->title());
            Fill(*popup, item.items, handler);
            target.addAction(popup->menuAction());
            break;
        }
        }
    }
}

QAction* FindIn(QWidget& menu, unsigned command) {
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator() && !action->menu() && CommandIdOf(*action) == command)
            return action;
    }
    return nullptr;
}

bool IsMenu(QWidget& widget) {
    return qobject_cast<QMenu*>(&widget) || qobject_cast<QMenuBar*>(&widget);
}

} // namespace

void BuildMenuBar(QMenuBar& bar, const CMenuTable& table, MenuCommandHandler handler) {
    Fill(bar, table, std::make_shared<const MenuCommandHandler>(std::move(handler)));
}

void BuildMenu(QMenu& menu, const CMenuTable& table, MenuCommandHandler handler) {
    Fill(menu, table, std::make_shared<const MenuCommandHandler>(std::move(handler)));
}

QAction* FindCommandAction(QWidget& window, unsigned command) {
    if (command == 0) return nullptr;
    if (IsMenu(window)) {
        if (QAction* action = FindIn(window, command)) return action;
    }
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!IsMenu(*widget)) continue;
        if (QAction* action = FindIn(*widget, command)) return action;
    }
    return nullptr;
}
