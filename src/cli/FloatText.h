#pragma once
#include <cstddef>
#include <string>

// The text printf gives a float with "%.9g" (nine significant digits, the shorter of fixed and
// exponent form, no trailing zeros), made with std::to_chars, which is specified to produce
// exactly that and takes a fraction of printf's time. Infinity and NaN come out as glibc's
// printf writes them: "inf", "-inf", "nan", "-nan".

// Room AppendGeneral9 needs: "-1.23456789e-38" and every other text fit.
inline constexpr std::size_t kGeneral9Room = 32;

// Writes the text at `out`, which has kGeneral9Room bytes, and returns the end of the text
// (no terminating zero).
char* AppendGeneral9(char* out, float value);
// Appends the text to `out`.
void AppendGeneral9(std::string& out, float value);
std::string FormatGeneral9(float value);
