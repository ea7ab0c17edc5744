#include "FetchBatch.h"
#include "qt/QuoteFetchWindow.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (std::find(words.begin(), words.end(), "--batch") != words.end())
        return RunFetchBatch(words, stdout, stderr);
    if (std::find(words.begin(), words.end(), "--import") != words.end())
        return RunImportMode(words, stderr);
    // Qt's own options (-platform, -style) are Qt's; anything else is a mistake.
    for (const std::string& word : words)
        if (word.rfind("--", 0) == 0) {
            std::fputs(FetchUsage(), stderr);
            return kBatchBadSetup;
        }
    // Without a display Qt would abort; say what works there instead.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM")) {
        std::fputs("quotefetch: the window needs a display; without one use --batch or --import.\n",
                   stderr);
        std::fputs(FetchUsage(), stderr);
        return kBatchBadSetup;
    }
    return RunQuoteFetchWindow(argc, argv);
}
