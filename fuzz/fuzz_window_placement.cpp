// libFuzzer target: the input is the main window's stored placement and recent file entries
// from the per-user store. A placement that parses formats back to a text that parses to the
// same placement, and moving it onto any screen keeps its size within the screen.
#include "app/CRecentFileList.h"
#include "app/CWindowPlacement.h"
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto placement = CWindowPlacement::Parse(text)) {
        if (CWindowPlacement::Parse(placement->Format()) != placement) std::abort();
        const CRect screens[] = {{0, 0, 800, 600}, {-1920, -200, 0, 880}};
        const CWindowPlacement moved = placement->OnScreens(screens);
        if (moved.normalPosition.Width() < 0 || moved.normalPosition.Height() < 0) std::abort();
        (void)CWindowPlacement::ForClosing(moved, true).Format();
    }
    CRecentFileList recent;
    recent.Load([&](const std::string& key) { return key == "File1" ? text : text.substr(0, size / 2); });
    for (int i = 0; i < CRecentFileList::kSize; ++i) (void)recent.MenuText(i);
    recent.Add(text);
    return 0;
}
