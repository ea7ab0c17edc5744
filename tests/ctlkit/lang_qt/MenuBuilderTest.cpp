#include "ctlkit/lang/qt/MenuBuilder.h"
#include "TestMenus.h"
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(MenuItemShortcut, IsThePartAfterTheFirstTab) {
    struct Case {
        const char* text;
        const char* shortcut;
    };
    const Case cases[] = {
        {"&Open...\tCtrl+O", "Ctrl+O"}, {"E&xit", ""}, {"a\tb\tc", "b\tc"}, {"\t", ""}, {"", ""}};
    for (const Case& c : cases) EXPECT_EQ(MenuItemShortcut(c.text), c.shortcut) << c.text;
}

TEST(MenuBuilder, MenuBarFollowsTheTable) {
    QMenuBar bar;
    BuildMenuBar(bar, TestMainMenu(), {});
    const std::vector<std::string> expected = {
        "[&File]",
        "  57600 &New\tCtrl+N",
        "  57601 &Open...\tCtrl+O",
        "  -",
        "  57603 &Save\tCtrl+S",
        "  -",
        "  [Recent &Files]",
        "    57616 &1 chart.cht",
        "  -",
        "  57665 E&xit",
        "[&Edit]",
        "  32771 &Copy\tCtrl+C",
        "  -",
        "  32772 &Delete\tDel",
        "[&View]",
        "  32790 &Refresh\tF5",
    };
    EXPECT_EQ(DumpMenu(bar), expected);
}

TEST(MenuBuilder, ShortcutTextBecomesTheActionShortcut) {
    struct Case {
        const char* text;
        QKeySequence shortcut;
    };
    const Case cases[] = {
        {"&Open...\tCtrl+O", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"&Delete\tDel", QKeySequence(Qt::Key_Delete)},
        {"&Refresh\tF5", QKeySequence(Qt::Key_F5)},
        {"Zoom &In\tCtrl+Shift+I", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I)},
        {"&Unreadable\tStrg+Q", QKeySequence()},
        {"&Plain", QKeySequence()},
    };
    for (const Case& c : cases) {
        QMenu menu;
        BuildMenu(menu, {SMenuItem::Command(100, c.text)}, {});
        ASSERT_EQ(menu.actions().size(), 1);
        QAction* action = menu.actions().front();
        EXPECT_EQ(action->shortcut(), c.shortcut) << c.text;
        EXPECT_EQ(action->text().toStdString(), c.text); // shown as given, shortcut after the tab
    }
}

TEST(MenuBuilder, EveryCommandCallsTheHandlerWithItsIdentifier) {
    QMainWindow window;
    std::vector<unsigned> chosen;
    BuildMenuBar(*window.menuBar(), TestMainMenu(), [&](unsigned id) { chosen.push_back(id); });
    auto* context = new QMenu(&window);
    BuildMenu(*context, {SMenuItem::Command(33000, "&Properties"), SMenuItem::Separator()},
              [&](unsigned id) { chosen.push_back(id + 1); });

    struct Case {
        unsigned command;
        const char* text; // null: no such command
        unsigned handled;
    };
    const Case cases[] = {
        {57600, "&New\tCtrl+N", 57600},
        {57616, "&1 chart.cht", 57616},
        {32771, "&Copy\tCtrl+C", 32771},
        {33000, "&Properties", 33001},
        {0, nullptr, 0},
        {4711, nullptr, 0},
    };
    for (const Case& c : cases) {
        chosen.clear();
        QAction* action = FindCommandAction(window, c.command);
        if (!c.text) {
            EXPECT_EQ(action, nullptr) << c.command;
            continue;
        }
        ASSERT_NE(action, nullptr) << c.command;
        EXPECT_EQ(action->text().toStdString(), c.text);
        action->trigger();
        EXPECT_EQ(chosen, std::vector<unsigned>{c.handled}) << c.command;
    }
    EXPECT_EQ(FindCommandAction(*context, 33000), context->actions().front());
    EXPECT_EQ(FindCommandAction(*context, 57600), nullptr);
}

TEST(MenuBuilder, ShortcutKeyRunsTheCommand) {
    QMainWindow window;
    window.setCentralWidget(new QWidget);
    std::vector<unsigned> chosen;
    BuildMenuBar(*window.menuBar(), TestMainMenu(), [&](unsigned id) { chosen.push_back(id); });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_F5);
    QTest::keyClick(&window, Qt::Key_Delete);
    EXPECT_EQ(chosen, (std::vector<unsigned>{32771, 32790, 32772}));
}

} // namespace
