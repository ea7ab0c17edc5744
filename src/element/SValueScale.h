#pragma once

// How a pane's values run up its plot: evenly, or evenly in their logarithm so that equal
// ratios take equal heights. Every mapping between a value and a row goes through here, so
// elements stay anchored in prices whichever way the pane is scaled.
struct SValueScale {
    float min = 0;   // the value at the bottom of the plot
    float range = 0; // the value at the top minus `min`
    bool logarithmic = false;

    // Whether a scale from `min` to `max` can be logarithmic: both bounds finite and above 0.
    static bool CanBeLogarithmic(float min, float max);
    // The (unrounded) row of `value` on a plot whose bottom row is `bottom`, `height` rows
    // high. A logarithmic scale over bounds it cannot take maps linearly; a value at or
    // below 0 on a logarithmic scale lies infinitely far below.
    float Row(float value, int bottom, int height) const;
    // The value at `row`.
    float Value(int row, int bottom, int height) const;

private:
    bool MapsLogarithmically() const;
};
