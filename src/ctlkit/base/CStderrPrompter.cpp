#include "CStderrPrompter.h"
#include <cstdio>

void CStderrPrompter::ShowMessage(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

bool CStderrPrompter::AskYesNo(const std::string& text) {
    std::fprintf(stderr, "%s [%s]\n", text.c_str(), m_answer ? "yes" : "no");
    return m_answer;
}
