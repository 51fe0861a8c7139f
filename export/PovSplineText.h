#pragma once
// Paths back from text that holds POV-Ray bezier_spline point lists, as pasting that text
// gives them.

#include "model/Path.h"

#include <string_view>
#include <vector>

namespace plumex {

// Every "bezier_spline" keyword starts a block that ends at the next "}" (or the end of the
// text); its points become paths, a new one wherever continuity breaks, each with all anchors
// selected. Throws ReadError("ReadPoint::ReadError") on a malformed point.
std::vector<TCvLine> PathsFromSplineText(std::string_view text);

} // namespace plumex
