#pragma once
// Point-in-outline and outline-in-outline tests on closed paths (even-odd rule).

#include "model/Path.h"

namespace plumex {

// -1 outside, 1 inside or on the outline, 0 when p is exactly one of the anchors.
int pointInOutline(const TCvLine& path, TCvCoord p, const TCvRect& pathBounds);

// Closed `inner` lies inside closed `outer` (never for equal content).
bool outlineInside(const TCvLine& outer, const TCvLine& inner);

} // namespace plumex
