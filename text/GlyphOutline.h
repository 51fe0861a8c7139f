#pragma once
// A glyph's outline contours as closed cubic paths. Quadratic pieces are raised to the cubic
// that draws the same curve; cubic (CFF) pieces are kept as they are.

#include "model/Path.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

namespace plumex {

// One path per contour of `outline`, every coordinate multiplied by `scale` (y stays up).
// Contours without area (one point, or all points on one line) give no path.
std::vector<TCvLine> OutlineToPaths(const FT_Outline& outline, double scale);

} // namespace plumex
