#pragma once
#include <string>

// Message boxes and yes/no questions. The windowed program shows dialogs, the command-line
// tool prints to stderr, tests record the texts. Used on the user-interface thread only.
class CPrompter {
public:
    virtual ~CPrompter() = default;
    // An information or error message with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;

    // The prompter every module reports through. Never null: until one is installed, a
    // prompter that prints to stderr and answers No.
    static CPrompter& Active();
    // Installs `prompter` (null restores the default) and returns the previous one.
    static CPrompter* Install(CPrompter* prompter);
};

// Installs a prompter for one scope (a test, a command) and restores the previous one.
class CScopedPrompter {
public:
    explicit CScopedPrompter(CPrompter& prompter) : m_previous(CPrompter::Install(&prompter)) {}
    ~CScopedPrompter() { CPrompter::Install(m_previous); }
    CScopedPrompter(const CScopedPrompter&) = delete;
    CScopedPrompter& operator=(const CScopedPrompter&) = delete;

private:
    CPrompter* m_previous;
};
