#pragma once
#include <functional>

// The downloader's icon in the desktop's tray as its window sees it: the real one wraps the
// platform's tray icon, tests put a fake one in its place and drive its menu. The menu is the
// tray menu 636 (DownloaderTrayMenu()); its commands and the icon's clicks reach the handlers.
class CDownloaderTray {
public:
    enum class EEvent { RightButtonUp, LeftDoubleClick };

    virtual ~CDownloaderTray() = default;
    // The desktop has a tray to put an icon in.
    virtual bool Available() const = 0;
    // Shows the icon (tip 513); false when the tray refused it.
    virtual bool AddIcon() = 0;
    virtual void RemoveIcon() = 0;
    virtual bool HasIcon() const = 0;
    // Builds the menu 636, translated; false when it cannot be made.
    virtual bool LoadMenu() = 0;
    // Opens the menu at the mouse cursor.
    virtual void ShowMenu() = 0;

    void SetHandlers(std::function<void(EEvent)> onEvent,
                     std::function<void(unsigned command)> onCommand) {
        m_onEvent = std::move(onEvent);
        m_onCommand = std::move(onCommand);
    }

protected:
    void Fire(EEvent event) const {
        if (m_onEvent) m_onEvent(event);
    }
    void FireCommand(unsigned command) const {
        if (m_onCommand) m_onCommand(command);
    }

private:
    std::function<void(EEvent)> m_onEvent;
    std::function<void(unsigned)> m_onCommand;
};
