#pragma once
#include "ctlkit/base/CPrompter.h"

// The prompter of the windowed program: message boxes over the active window, titled with
// the program's name. A message has the warning icon and an OK button, as the message boxes
// of the original platform have by default; a question has the question icon and Yes and No,
// Yes being the default, as there. On the GUI thread only: workers reach it through their window's
// message target. A call from any other thread prints the text to stderr and answers No
// rather than touching a widget.
class QtPrompter : public CPrompter {
public:
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
};
