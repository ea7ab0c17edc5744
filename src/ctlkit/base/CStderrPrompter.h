#pragma once
#include "CPrompter.h"

// Prints every message and question to stderr; questions get the fixed answer.
class CStderrPrompter : public CPrompter {
public:
    explicit CStderrPrompter(bool answer = false) : m_answer(answer) {}
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;

private:
    bool m_answer;
};
