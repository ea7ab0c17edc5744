#pragma once
#include <string>

// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);
