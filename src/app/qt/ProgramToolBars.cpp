#include "app/qt/ProgramToolBars.h"
#include "app/qt/CommandIcons.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <memory>

namespace {

void AttachIcons(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        if (QMenu* menu = action->menu()) {
            AttachIcons(menu->actions());
            continue;
        }
        const unsigned command = CommandIdOf(*action);
        if (command == 0) continue;
        const QIcon icon = CommandIcon(command);
        if (icon.isNull()) continue;
        action->setIcon(icon);
        action->setIconVisibleInMenu(true);
    }
}

} // namespace

QToolBar* BuildToolBar(QMainWindow& frame, const SToolbarContents& contents, MenuCommandHandler handler) {
    auto* bar = new QToolBar(&frame);
    bar->setObjectName(QString::fromLatin1(contents.objectName));
    const std::optional<std::string> caption = CLanguage::TranslateString(contents.captionString);
    bar->setWindowTitle(QString::fromStdString(caption.value_or(contents.objectName)));
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setIconSize(QSize(16, 16));

    const auto shared = std::make_shared<const MenuCommandHandler>(std::move(handler));
    for (const unsigned command : contents.buttons) {
        if (command == 0) {
            bar->addSeparator();
            continue;
        }
        const QString tip = QString::fromStdString(CommandTip(command));
        auto* action = new QAction(CommandIcon(command), tip, bar);
        action->setToolTip(tip);
        SetCommandId(*action, command);
        action->setEnabled(!CreatesNothing(command));
        QObject::connect(action, &QAction::triggered, action, [shared, command] {
            if (*shared) (*shared)(command);
        });
        bar->addAction(action);
    }
    return bar;
}

void AttachMenuIcons(QMenuBar& bar) {
    AttachIcons(bar.actions());
}
