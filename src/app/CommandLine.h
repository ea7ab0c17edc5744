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

    // Switches start with "-" or "/" and are matched in any letter case; the first other
    // argument is the file to open. A registration switch wins over everything else.
    static CommandLine Parse(const std::vector<std::string>& args);

    bool ExitsAtOnce() const {
        return action == Action::RegServer || action == Action::UnregServer;
    }
};
