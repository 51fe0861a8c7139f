#pragma once
// Exact conversion between our paths and lib2geom's, for the boolean engine only.

#include "model/Path.h"

#include <2geom/pathvector.h>

namespace plumex::geom {

// Appends the contours of `line` scaled by `scale` (a power of two, so exact): straight
// segments (and cubics along one line) as line segments, others as cubics, segments without
// extent dropped, and Make Hole's bridges (a straight segment run there and back) cut out so
// each contour stands alone.
// An open path is closed by a straight segment.
void appendContours(const TCvLine& line, double scale, Geom::PathVector& out);

// One closed path of `path`'s segments divided by `scale`; pieces shorter than `tiny` (in
// lib2geom's coordinates) are left out.
TCvLine toLine(const Geom::Path& path, double scale, double tiny);

} // namespace plumex::geom
