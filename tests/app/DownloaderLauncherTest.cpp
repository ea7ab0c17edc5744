#include "app/DownloaderLauncher.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include <gtest/gtest.h>

TEST(DownloaderLauncher, StartsTheDownloaderWithoutArgumentsOrSaysWhyNot) {
    struct Case {
        bool starts;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {true, {}},
        {false, {"The downloader /opt/zs/quotefetch cannot be started."}},
    };
    for (const Case& c : cases) {
        CRecordingPrompter prompter;
        CScopedPrompter scope(prompter);
        std::vector<std::string> programs;
        std::vector<std::vector<std::string>> arguments;
        ProcessLauncher launch = [&](const std::string& program,
                                     const std::vector<std::string>& args) {
            programs.push_back(program);
            arguments.push_back(args);
            return c.starts;
        };
        EXPECT_EQ(LaunchDownloader(CInstallPaths("/opt/zs"), launch), c.starts);
        EXPECT_EQ(programs, std::vector<std::string>{"/opt/zs/quotefetch"});
        EXPECT_EQ(arguments, std::vector<std::vector<std::string>>{{}});
        EXPECT_EQ(prompter.messages, c.messages);
    }
}

TEST(DownloaderLauncher, MissingLauncherCountsAsAFailure) {
    CRecordingPrompter prompter;
    CScopedPrompter scope(prompter);
    EXPECT_FALSE(LaunchDownloader(CInstallPaths("/opt/zs/"), ProcessLauncher()));
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"The downloader /opt/zs/quotefetch cannot be started."});
}
