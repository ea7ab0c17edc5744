#pragma once
#include "CPrompter.h"
#include <string>
#include <vector>

// Keeps every text it is shown, in order, and answers questions with a preset answer.
class CRecordingPrompter : public CPrompter {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answer = false;
};
