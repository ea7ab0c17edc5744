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

TEST(CommandLine, SplashIsOffForEmbeddingRegistrationAndNoSplash) {
    EXPECT_FALSE(CommandLine::Parse({"/Automation"}).ShowsSplash());
    EXPECT_FALSE(CommandLine::Parse({"-embedding"}).ShowsSplash());
    EXPECT_FALSE(CommandLine::Parse({"--NO-SPLASH", "x.cht"}).ShowsSplash());
    EXPECT_FALSE(CommandLine::Parse({"/RegServer"}).ShowsSplash());
    EXPECT_TRUE(CommandLine::Parse({"x.cht"}).ShowsSplash());
}

struct TestSwitchCase {
    std::vector<std::string> args;
    std::vector<std::string> commands;
    std::string grab;
    int grabAfter;
    std::vector<std::string> errors;
    std::string file;
};

class TestSwitches : public ::testing::TestWithParam<TestSwitchCase> {};

TEST_P(TestSwitches, AreReadWithTheirValues) {
    const TestSwitchCase& c = GetParam();
    CommandLine cl = CommandLine::Parse(c.args);
    EXPECT_EQ(cl.commands, c.commands);
    EXPECT_EQ(cl.grabFile, c.grab);
    EXPECT_EQ(cl.grabAfterMs, c.grabAfter);
    EXPECT_EQ(cl.errors, c.errors);
    EXPECT_EQ(cl.file, c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TestSwitches,
    ::testing::Values(
        TestSwitchCase{{"--grab", "shot.png"}, {}, "shot.png", -1, {}, ""},
        TestSwitchCase{{"--command", "32771", "a.cht", "--COMMAND", "57600", "--grab-after", "250"},
                       {"32771", "57600"},
                       "",
                       250,
                       {},
                       "a.cht"},
        // The value of a switch is never the file to open, even when it looks like one.
        TestSwitchCase{{"--grab", "/tmp/x.png", "b.cht"}, {}, "/tmp/x.png", -1, {}, "b.cht"},
        TestSwitchCase{{"--grab"}, {}, "", -1, {"--grab wants a value"}, ""},
        // An unknown switch is told and otherwise ignored; "/word" is a path unless known.
        TestSwitchCase{{"--fast", "-q", "/tmp/a.cht"},
                       {},
                       "",
                       -1,
                       {"unknown switch --fast ignored", "unknown switch -q ignored"},
                       "/tmp/a.cht"},
        TestSwitchCase{{"--grab-after", "soon"},
                       {},
                       "",
                       -1,
                       {"--grab-after wants milliseconds from 0 to 3600000, not \"soon\""},
                       ""},
        TestSwitchCase{{"--grab-after", "3600001"},
                       {},
                       "",
                       -1,
                       {"--grab-after wants milliseconds from 0 to 3600000, not \"3600001\""},
                       ""}));
