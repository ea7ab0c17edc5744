#include "FakeTray.h"
#include "quotefetch/CTrayPresence.h"
#include "quotefetch/TrayMenu.h"
#include <gtest/gtest.h>

namespace {
class CRecordingTrayWindow : public CTrayWindow {
public:
    void HideToTray() override {
        calls.push_back("hide");
        shown = false;
    }
    void Restore() override {
        calls.push_back("restore");
        shown = true;
    }
    void AddLogLine(const std::string& text) override { log.push_back(text); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void TrayCommand(unsigned command) override { commands.push_back(command); }

    bool shown = true;
    std::vector<std::string> calls, log, messages;
    std::vector<unsigned> commands;
};
} // namespace

TEST(TrayPresence, StartAddsTheIconLoadsTheMenuAndHidesTheWindowOrStaysShownWithoutTray) {
    struct SCase {
        const char* name;
        bool available, refuseIcon, failMenu;
        std::vector<std::string> trayCalls;
        bool shown, inTray;
        std::vector<std::string> log, messages;
    };
    const std::vector<SCase> cases = {
        {"tray", true, false, false, {"add", "menu"}, false, true, {}, {}},
        {"no tray", false, false, false, {}, true, false, {"Unable to Set Tary Icon"}, {}},
        {"icon refused", true, true, false, {"add"}, true, false, {"Unable to Set Tary Icon"}, {}},
        {"menu fails", true, false, true, {"add", "menu"}, false, true, {},
         {"Unabled to Load menu"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeTray tray;
        tray.available = c.available;
        tray.refuseIcon = c.refuseIcon;
        tray.failMenu = c.failMenu;
        CRecordingTrayWindow window;
        CTrayPresence presence(tray, window);
        presence.Start();
        EXPECT_EQ(tray.calls, c.trayCalls);
        EXPECT_EQ(window.shown, c.shown);
        EXPECT_EQ(presence.InTray(), c.inTray);
        EXPECT_EQ(window.log, c.log);
        EXPECT_EQ(window.messages, c.messages);
        // Minimising again neither logs the refusal twice nor hides a window without icon.
        presence.Restored();
        window.shown = true;
        presence.Minimised();
        EXPECT_EQ(window.shown, !c.inTray);
        EXPECT_EQ(window.log, c.log);
        EXPECT_EQ(window.messages, c.messages);
    }
}

TEST(TrayPresence, ClicksOpenTheMenuOrRestoreAndMinimisingHidesAgain) {
    CFakeTray tray;
    CRecordingTrayWindow window;
    CTrayPresence presence(tray, window);
    presence.Start();
    tray.calls.clear();
    tray.Click(CDownloaderTray::EEvent::RightButtonUp);
    EXPECT_EQ(tray.calls, std::vector<std::string>{"show-menu"});
    EXPECT_FALSE(window.shown);

    tray.Click(CDownloaderTray::EEvent::LeftDoubleClick);
    EXPECT_EQ(tray.calls, (std::vector<std::string>{"show-menu", "remove"}));
    EXPECT_TRUE(window.shown);
    EXPECT_FALSE(tray.icon);
    EXPECT_FALSE(presence.InTray());

    presence.Minimised();
    EXPECT_EQ(tray.calls, (std::vector<std::string>{"show-menu", "remove", "add"}));
    EXPECT_FALSE(window.shown);
    EXPECT_TRUE(tray.icon);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"hide", "restore", "hide"}));

    presence.Exit();
    EXPECT_FALSE(tray.icon);
    EXPECT_EQ(tray.calls.back(), "remove");
}

TEST(TrayPresence, MenuRestoreIsHandledHereAndTheOtherCommandsGoToTheWindow) {
    CFakeTray tray;
    CRecordingTrayWindow window;
    CTrayPresence presence(tray, window);
    presence.Start();
    for (unsigned command : {kTrayStart, kTrayStop, kTrayAbout, kTrayClose}) tray.Choose(command);
    EXPECT_EQ(window.commands,
              (std::vector<unsigned>{33774, 33773, 33775, 33772}));
    EXPECT_FALSE(window.shown);
    tray.Choose(kTrayRestore);
    EXPECT_TRUE(window.shown);
    EXPECT_FALSE(tray.icon);
    EXPECT_EQ(window.commands.size(), 4u);
}

TEST(TrayPresence, TrayMenuHoldsTheFiveCommandsAroundOneSeparator) {
    const CMenuTable& menu = DownloaderTrayMenu();
    std::vector<unsigned> ids;
    std::vector<std::string> texts;
    for (const SMenuItem& item : menu) {
        ids.push_back(item.id);
        texts.push_back(item.text);
    }
    EXPECT_EQ(ids, (std::vector<unsigned>{33771, 33773, 33774, 0, 33772, 33775}));
    EXPECT_EQ(menu[3].kind, SMenuItem::Kind::Separator);
    EXPECT_EQ(texts, (std::vector<std::string>{"&Restore", "S&top", "&Start", "", "&Close",
                                                "&About Downloader..."}));
}
