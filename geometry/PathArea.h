#pragma once
// Exact enclosed areas of cubic paths by Green's theorem.

#include "model/Path.h"

#include <span>

namespace plumex {

// Signed area of a closed path (positive when anticlockwise with y up); an open path is
// closed by a straight segment. Merged-hole bridges cancel, so a path with a hole counts its
// outer contour minus its hole when the two run opposite ways.
double signedArea(const TCvLine& path);

} // namespace plumex
