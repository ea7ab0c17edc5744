#include "app/qt/ProgramToolBars.h"
#include "app/ProgramMenus.h"
#include "app/qt/CommandIcons.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>
#include <set>

namespace {

std::vector<QAction*> Buttons(QToolBar& bar) {
    std::vector<QAction*> buttons;
    for (QAction* action : bar.actions())
        if (!action->isSeparator()) buttons.push_back(action);
    return buttons;
}

// Pixels of an image that are not fully transparent, and how many different colours they have.
std::pair<int, int> Ink(const QImage& image) {
    int drawn = 0;
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) continue;
            ++drawn;
            colours.insert(pixel);
        }
    return {drawn, static_cast<int>(colours.size())};
}

TEST(ProgramToolBars, BarsCarryNameCaptionAndDockingFlags) {
    QMainWindow frame;
    const char* titles[] = {"Main Toolbar", "Chart Control",      "Trend Line",
                            "Channel Line", "Fibo and Gann Line", "Symbol and Text"};
    for (size_t i = 0; i < ProgramToolbars().size(); ++i) {
        const SToolbarContents& contents = ProgramToolbars()[i];
        QToolBar* bar = BuildToolBar(frame, contents, {});
        EXPECT_EQ(bar->parent(), &frame);
        EXPECT_EQ(bar->objectName(), QString(contents.objectName));
        EXPECT_EQ(bar->windowTitle(), titles[i]);
        EXPECT_TRUE(bar->isMovable());
        EXPECT_TRUE(bar->isFloatable());
        EXPECT_EQ(bar->allowedAreas(), Qt::AllToolBarAreas);
        EXPECT_EQ(bar->iconSize(), QSize(16, 16));
        EXPECT_EQ(bar->actions().size(), static_cast<qsizetype>(contents.buttons.size()));
    }
}

TEST(ProgramToolBars, ActionsCarryIdsTipsAndTheArmedOnlyToolsAreDisabled) {
    QMainWindow frame;
    std::set<unsigned> disabled;
    for (const SToolbarContents& contents : ProgramToolbars()) {
        QToolBar* bar = BuildToolBar(frame, contents, {});
        std::vector<unsigned> ids;
        for (QAction* action : bar->actions()) {
            ids.push_back(action->isSeparator() ? 0 : CommandIdOf(*action));
            if (action->isSeparator()) continue;
            EXPECT_EQ(action->toolTip().toStdString(), CommandTip(CommandIdOf(*action)));
            if (!action->isEnabled()) disabled.insert(CommandIdOf(*action));
        }
        EXPECT_EQ(ids, contents.buttons);
    }
    EXPECT_EQ(disabled, (std::set<unsigned>{32848, 32858, 32863, 32866, 32867, 32869}));
}

TEST(ProgramToolBars, TriggerCallsTheHandlerWithTheId) {
    QMainWindow frame;
    std::vector<unsigned> got;
    QToolBar* bar =
        BuildToolBar(frame, ProgramToolbars()[2], [&](unsigned id) { got.push_back(id); });
    const std::vector<QAction*> buttons = Buttons(*bar);
    buttons[0]->trigger();
    buttons[1]->trigger();
    EXPECT_EQ(got, (std::vector<unsigned>{32817, 32819}));
    EXPECT_EQ(buttons[0]->toolTip(), "Trend Line");
    QAction* pitchfork = nullptr;
    for (QAction* action : buttons)
        if (CommandIdOf(*action) == 32848) pitchfork = action;
    ASSERT_NE(pitchfork, nullptr);
    EXPECT_EQ(pitchfork->toolTip(), "Andrew's Pitchfork (not available)");
    pitchfork->trigger(); // a disabled action does not fire
    EXPECT_EQ(got.size(), 2u);
}

TEST(CommandIcons, EveryButtonHasA16And32PixelImageThatIsNotBlank) {
    for (const SToolbarContents& contents : ProgramToolbars())
        for (unsigned id : contents.buttons) {
            if (id == 0) continue;
            SCOPED_TRACE(id);
            const QIcon icon = CommandIcon(id);
            ASSERT_FALSE(icon.isNull());
            const QList<QSize> sizes = icon.availableSizes();
            EXPECT_TRUE(sizes.contains(QSize(16, 16)));
            EXPECT_TRUE(sizes.contains(QSize(32, 32)));
            for (int size : {16, 32}) {
                const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
                ASSERT_EQ(image.size(), QSize(size, size));
                const auto [drawn, colours] = Ink(image);
                EXPECT_GT(drawn, size * size / 12) << size;
                EXPECT_LT(drawn, size * size) << "no transparent border at " << size;
                EXPECT_GE(colours, 2);
            }
        }
}

TEST(CommandIcons, ButtonImagesDifferWithinABar) {
    for (const SToolbarContents& contents : ProgramToolbars()) {
        std::set<QByteArray> seen;
        for (unsigned id : contents.buttons) {
            if (id == 0) continue;
            const QImage image = CommandIcon(id).pixmap(QSize(16, 16), 1.0).toImage();
            const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()),
                                   image.sizeInBytes());
            EXPECT_TRUE(seen.insert(bytes).second) << contents.objectName << " " << id;
        }
    }
}

TEST(CommandIcons, StripIconsAreTheStripImageWithWhiteTransparent) {
    const QImage bull = CommandIcon(32930).pixmap(QSize(32, 32), 1.0).toImage();
    EXPECT_EQ(qAlpha(bull.pixel(0, 31)), 0); // the strip's white corner
    EXPECT_EQ(qAlpha(bull.pixel(16, 18)), 255);
    const QImage question = CommandIcon(33022).pixmap(QSize(16, 16), 1.0).toImage();
    EXPECT_NE(question, CommandIcon(33021).pixmap(QSize(16, 16), 1.0).toImage());
}

TEST(CommandIcons, NullForCommandsWithoutAnImage) {
    for (unsigned id : {0u, 1u, 59392u, 59393u, 32879u, 32883u, 5310u})
        EXPECT_TRUE(CommandIcon(id).isNull()) << id;
}

TEST(ProgramToolBars, MenuIconsAttachedToCommandsAndShownInMenus) {
    QMenuBar bar;
    BuildMenuBar(bar, ChartWindowMenu(), {});
    AttachMenuIcons(bar);
    int withIcon = 0;
    for (unsigned id : MenuCommandIds(ChartWindowMenu())) {
        QAction* action = FindCommandAction(bar, id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->icon().isNull(), CommandIcon(id).isNull()) << id;
        if (action->icon().isNull()) continue;
        ++withIcon;
        EXPECT_TRUE(action->isIconVisibleInMenu()) << id;
    }
    EXPECT_GE(withIcon, 100);
    // Pop-ups keep their plain titles.
    for (QAction* popup : bar.actions()) EXPECT_TRUE(popup->icon().isNull());
}

} // namespace
