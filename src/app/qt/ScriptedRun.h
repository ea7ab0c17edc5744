#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QWidget;

// The test switches at work: once the main window has painted (its central widget, when it
// has one), the "--command" commands run in order, as if chosen from the menus, and "--grab"
// writes the active window (a dialog a command opened, else the main window) to a PNG file
// and ends the program. The grab is timed before the commands run, so a modal dialog they
// open does not hold it up. With "--grab-after" the time counts from start-up instead, so a
// message box shown before the main window is grabbed too.
class ScriptedRun : public QObject {
public:
    // Runs the command with that identifier; false when no command has it.
    using CommandRunner = std::function<bool(unsigned id)>;

    ScriptedRun(CommandRunner runner, std::vector<std::string> commands, QString grabFile,
                int grabAfterMs);
    // The main window, once it exists: its first paint starts the commands.
    void Watch(QWidget& mainWindow);

    // The exit status the grab asked for; 0 while there was none.
    int Status() const { return m_status; }
    bool Grabbed() const { return m_grabbed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Start();
    void RunCommands();
    void Grab();
    // The window a user would be looking at: the modal dialog, else the active window, else
    // the main window.
    QWidget* ActiveWindow() const;
    static QWidget* FirstPainted(QWidget& window);

    QWidget* m_mainWindow = nullptr;
    QWidget* m_painted = nullptr;
    CommandRunner m_runner;
    std::vector<std::string> m_commands;
    QString m_grabFile;
    int m_grabAfterMs;
    bool m_started = false;
    bool m_grabbed = false;
    int m_status = 0;
};
