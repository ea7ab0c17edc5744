#include "app/CommandLine.h"
#include <gtest/gtest.h>

using Action = CommandLine::Action;

struct CommandLineCase {
    std::vector<std::string> args;
    Action action;
    std::string file;
};

class CommandLineParse : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineParse, GivesActionAndFile) {
    const CommandLineCase& c = GetParam();
    CommandLine cl = CommandLine::Parse(c.args);
    EXPECT_EQ(cl.action, c.action);
    EXPECT_EQ(cl.file, c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParse,
    ::testing::Values(CommandLineCase{{}, Action::NewChart, ""},
                      CommandLineCase{{"chart.cht"}, Action::OpenFile, "chart.cht"},
                      CommandLineCase{{"/home/user/a.cht"}, Action::OpenFile, "/home/user/a.cht"},
                      CommandLineCase{{"/RegServer"}, Action::RegServer, ""},
                      CommandLineCase{{"-unregserver"}, Action::UnregServer, ""},
                      CommandLineCase{{"/REGSERVER"}, Action::RegServer, ""},
                      CommandLineCase{{"a.cht", "-RegServer"}, Action::RegServer, ""},
                      CommandLineCase{{"-Embedding", "b.cht"}, Action::OpenFile, "b.cht"}));

TEST(CommandLine, RegistrationSwitchesExitAtOnce) {
    EXPECT_TRUE(CommandLine::Parse({"/RegServer"}).ExitsAtOnce());
    EXPECT_TRUE(CommandLine::Parse({"-unregSERVER"}).ExitsAtOnce());
    EXPECT_FALSE(CommandLine::Parse({"x.cht"}).ExitsAtOnce());
}

TEST(CommandLine, EmbeddingDisablesSplash) {
    EXPECT_TRUE(CommandLine::Parse({"/Automation"}).embedded);
    EXPECT_FALSE(CommandLine::Parse({"x.cht"}).embedded);
}
