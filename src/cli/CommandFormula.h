#pragma once
#include "CsvText.h"
#include "formula/CFormula.h"
#include <optional>
#include <string>

// The text of a formula file, read up to one byte past the longest formula (so that a longer
// one is refused by the parser, not cut); false with the reason in `why`.
bool ReadFormulaFile(const std::string& path, std::string& text, std::string& why);
// The formula of `text`, or nothing after telling stderr "SOURCE: line L, column C: ...".
std::optional<CFormula> ParseCommandFormula(const std::string& text, const std::string& source);
// Prints `usage` and the error to stderr; the exit status of a usage error, 2.
int UsageError(const char* usage, const std::string& error);
