#pragma once
// A path's outline as closed polygons for the mesh export: curves flattened to a tolerance,
// Make Hole's bridges cut out so every contour stands alone, an open path closed by a
// straight segment, and every point rounded to a float.

#include "model/Path.h"

#include <functional>
#include <vector>

namespace plumex {

using MeshContour = std::vector<TCvCoord>;

// Pieces one cubic is flattened into so that no point of it lies farther than `tolerance`
// from the polygon; at least 1, at most MaxFlattenPieces.
int flattenPieces(const Segment& s, double tolerance);
inline constexpr int MaxFlattenPieces = 4096;

// The contours of `path` with every point mapped by `map` (an affine map of the drawing, so
// it can be applied to the control points) and rounded to a float. Consecutive equal points
// and points on the line through their neighbours are dropped; contours with fewer than three
// points are left out.
std::vector<MeshContour> meshContours(const TCvLine& path, double tolerance,
                                      const std::function<TCvCoord(TCvCoord)>& map);

// The same clean-up on contours that came from elsewhere (the tessellator's boundary).
void tidyContour(MeshContour& contour);

// A value rounded to the nearest float, kept as a double.
inline double toFloat(double v) {
    return static_cast<double>(static_cast<float>(v));
}

} // namespace plumex
