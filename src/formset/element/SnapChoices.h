#pragma once
#include <string>
#include <vector>

// What a snapping tool can follow, as its dialog lists it.
struct SSnapChoice {
    std::string code; // the stored snap field (tools/SnapField.h)
    std::string text; // what the list shows

    bool operator==(const SSnapChoice&) const = default;
};

// Open, high, low and close (translation texts 47 to 50) for every tool; the standard
// deviation and error channels and the regression line, which fit themselves to any series,
// also list the pane's curves by name.
std::vector<SSnapChoice> SnapChoices(int typeCode, const std::vector<std::string>& curveNames);
// True for the tools that can follow a curve (types 16, 17 and 20).
bool FollowsCurves(int typeCode);
