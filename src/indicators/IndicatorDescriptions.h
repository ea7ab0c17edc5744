#pragma once
#include <span>
#include <string>
#include <string_view>

// What the indicator description viewer lists of one built-in indicator: its identifier (as
// in IndicatorTable()), the name a user knows it by, and its curves with their colours.
struct SIndicatorDescription {
    const char* identifier;
    const char* name;
    const char* curves;
};

// One entry per entry of IndicatorTable(), in the same order.
std::span<const SIndicatorDescription> IndicatorDescriptions();
// Null for an identifier that names no built-in indicator (the match is exact).
const SIndicatorDescription* FindIndicatorDescription(std::string_view identifier);

// The folder the description pages live in: `programFolder` + "Doc/indicators/".
std::string IndicatorPageFolder(const std::string& programFolder);
// The page file of `identifier`: blanks become "_", so "52WK H and L" is
// "52WK_H_and_L.html".
std::string IndicatorPageName(std::string_view identifier);
// IndicatorPageFolder() + IndicatorPageName().
std::string IndicatorPagePath(const std::string& programFolder, std::string_view identifier);

// The text shown when an indicator's page is missing: its identifier and name, the pane it is
// placed in and its curves, one per line. Empty for an identifier that is not built in.
std::string BuiltInDescription(std::string_view identifier);
