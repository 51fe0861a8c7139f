#pragma once
// The outline of a region given by a point test, from the curves that bound it: every curve
// is split where it meets another (or itself), the pieces with the region on one side only
// are kept, and they are chained into closed paths with the region on their left. This
// resolves self-overlap (the nonzero rule) and is the fallback when the intersection graph
// cannot be built.

#include "geometry/BooleanOp.h"

#include <2geom/pathvector.h>

#include <functional>

namespace plumex::geom {

Geom::PathVector resolveRegion(const Geom::PathVector& curves,
                               const std::function<bool(Geom::Point)>& inside, double tol);

// Some curve of `paths` crosses or touches another one (or itself) away from the joints of
// neighbouring segments.
bool crossesItself(const Geom::PathVector& paths, double tol,
                   CrossingSearch search = CrossingSearch::Pruned);

} // namespace plumex::geom
