#pragma once
#include <string>
#include <vector>

// What the shell asked the main program to do.
struct CommandLine {
    enum class Action {
        NewChart,    // no file named: a new chart from the default template
        OpenFile,    // open `file`
        RegServer,   // component registration: accepted, nothing to do, exit at once
        UnregServer, // as RegServer
    };
    Action action = Action::NewChart;
    std::string file;
    // Started for embedding or automation: no splash screen.
    bool embedded = false;
    // "--no-splash": no splash screen either.
    bool noSplash = false;

    // For tests, screenshots and scripts. "--command ID" (repeatable): the menu commands to
    // run after start-up, as if chosen, in order. "--grab FILE": once the main window has
    // painted and the commands ran, the active window is written to FILE as PNG and the
    // program ends; "--grab-after MS" grabs after MS milliseconds instead.
    std::vector<std::string> commands;
    std::string grabFile;
    int grabAfterMs = -1;
    // What could not be read ("--grab" without a file, an unknown switch, ...), one line each.
    std::vector<std::string> errors;

    // Switches start with "-" or "/" and are matched in any letter case; the first other
    // argument is the file to open. A registration switch wins over everything else. The
    // test switches start with "--" and take the next argument as their value.
    static CommandLine Parse(const std::vector<std::string>& args);

    bool ShowsSplash() const { return !embedded && !noSplash && !ExitsAtOnce(); }
    bool ExitsAtOnce() const {
        return action == Action::RegServer || action == Action::UnregServer;
    }

private:
    // Reads the test switch at args[i] and its value (i moves past it); false for any other.
    bool TakeTestSwitch(const std::vector<std::string>& args, size_t& i);
};
