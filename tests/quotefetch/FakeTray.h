#pragma once
#include "quotefetch/CDownloaderTray.h"
#include <string>
#include <vector>

// A tray that tests drive: it remembers what it was asked to do, and its clicks and menu
// commands are fired by the test.
class CFakeTray : public CDownloaderTray {
public:
    bool Available() const override { return available; }
    bool AddIcon() override {
        calls.push_back("add");
        if (refuseIcon) return false;
        icon = true;
        return true;
    }
    void RemoveIcon() override {
        calls.push_back("remove");
        icon = false;
    }
    bool HasIcon() const override { return icon; }
    bool LoadMenu() override {
        calls.push_back("menu");
        return !failMenu;
    }
    void ShowMenu() override { calls.push_back("show-menu"); }

    void Click(EEvent event) const { Fire(event); }
    void Choose(unsigned command) const { FireCommand(command); }

    bool available = true;
    bool refuseIcon = false;
    bool failMenu = false;
    bool icon = false;
    std::vector<std::string> calls;
};
