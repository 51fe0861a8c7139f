#pragma once
// The automatic grid: a grid step and ruler step that stay between 10 and 100 pixels
// whatever the scale.

namespace plumex {

struct AutoGrid {
    double gridUnits = 0.1; // drawing units between grid lines
    int gridKnots = 5;      // grid lines between step-grid lines
    double rulerStep = 0.5; // drawing units between ruler ticks
    int rulerMajor = 2;     // every rulerMajor-th tick is long and labelled
};

// For a scale in pixels per unit; a scale that is not a positive number is taken as the
// nearest allowed one, so the search always ends.
AutoGrid autoGridFor(double scale);

} // namespace plumex
