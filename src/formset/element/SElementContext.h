#pragma once
#include <string>
#include <vector>

// What a tool's properties dialog knows of the chart around the element.
struct SElementContext {
    // The names of the pane's curves, which channels and regression lines can follow.
    std::vector<std::string> curveNames;
    // The date of every bar of the series in the program's date format; anchors are shown and
    // typed as these.
    std::vector<std::string> barDates;
};
