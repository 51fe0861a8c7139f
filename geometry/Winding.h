#pragma once
// Winding numbers of lib2geom paths made of lines and Bezier curves, computed here: lib2geom's
// own root finder behind Path::winding recurses without end on some degenerate cubics (a
// tangency at an end, a curve lying along the probe's level), which overflows the stack.

#include <2geom/pathvector.h>

namespace plumex::geom {

// The number of times the closed contours of `paths` wind around `p` (an open contour counts
// as closed by a straight segment). Bounded work per curve whatever its shape.
int windingNumber(const Geom::PathVector& paths, Geom::Point p);
int windingNumber(const Geom::Path& path, Geom::Point p);

} // namespace plumex::geom
