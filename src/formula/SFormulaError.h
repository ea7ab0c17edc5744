#pragma once
#include <string>

// Where a formula text stopped making sense (1-based line and column, columns in bytes) and
// what was expected there.
struct SFormulaError {
    int line = 0;
    int column = 0;
    std::string message;

    // "line L, column C: message"
    std::string Text() const {
        return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
               message;
    }
};
