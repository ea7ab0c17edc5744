#pragma once
#include <cstddef>
#include <string>

enum class EFormulaToken {
    Number,
    Name,
    Plus,
    Minus,
    Star,
    Slash,
    Open,
    Close,
    Comma,
    Colon,       // ":" names a shown output
    Assign,      // ":=" names a hidden one
    Separator,   // ";" or a line end outside parentheses
    Greater,
    GreaterEqual,
    Less,
    LessEqual,
    Equal,       // "=" or "=="
    NotEqual,    // "<>" or "!="
    End,
    Bad,
};

struct SFormulaToken {
    EFormulaToken kind = EFormulaToken::End;
    std::string text; // a name in capitals, or the offending character of a Bad token
    float number = 0.0f;
    int line = 1;
    int column = 1;
    std::size_t offset = 0; // where the token starts in the text
};
