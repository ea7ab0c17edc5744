#pragma once
#include "SFormulaToken.h"
#include <string_view>

// Cuts a formula text into tokens. Names are read in capitals; "//" starts a comment to the
// end of the line; a line end inside parentheses is plain white space.
class FormulaLexer {
public:
    explicit FormulaLexer(std::string_view text) : m_text(text) {}
    SFormulaToken Next();

private:
    void SkipBlanks();
    char Peek(std::size_t ahead = 0) const {
        return m_at + ahead < m_text.size() ? m_text[m_at + ahead] : '\0';
    }
    void Advance(std::size_t count = 1);

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
    int m_column = 1;
    int m_depth = 0;
};
