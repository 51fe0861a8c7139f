#pragma once
// The texts of the status bar's number panels: scale, mouse position and drag angle.

#include "model/Coord.h"

#include <string>

namespace plumex {

// The scale cut (not rounded) to three decimals, without trailing zeros: 100.5 gives "100.5".
std::string statusScaleText(double scale);

// Decimals of the mouse position: more as the scale grows; the thresholds are strict, so a
// scale of exactly 100 gives 2 and exactly 1 gives 0.
int mouseDecimals(double scale);
std::string mousePositionText(double value, double scale);

// Direction of a handle seen from its anchor in degrees: 0 up, 90 right, -90 left.
std::string handleAngleText(TCvCoord anchor, TCvCoord handle);

// Turn from the ray pivot-press to the ray pivot-current in degrees, clockwise positive; with
// `steps` cut toward zero to a multiple of 5.
std::string rotationAngleText(TCvCoord pivot, TCvCoord press, TCvCoord current, bool steps);

} // namespace plumex
