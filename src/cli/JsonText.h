#pragma once
#include <string>

// Text forms shared by the commands that print JSON or CSV.

// %.9g, with the non-finite values spelt "inf", "-inf" and "nan" on every C library.
std::string NumberText(float value);
// A JSON number; non-finite values as the strings "inf", "-inf" and "nan".
std::string JsonNumber(float value);
// A JSON string literal: quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& text);
