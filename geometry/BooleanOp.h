#pragma once
// Union, difference, intersection, exclusion and division of closed cubic paths, on the exact
// curves: result segments are pieces of the input segments, straight ones stay straight.
// Every operand path is filled by the even-odd rule, as the canvas and the exports fill it; a
// path with merged holes (Make Hole's straight bridges) counts as its outer and inner contours.
// Results are closed paths with their holes merged in, one per separate piece.

#include "model/Path.h"

#include <span>
#include <vector>

namespace plumex {

enum class BooleanOperation { Union, Difference, Intersection, Exclusion, Division };

// `subject` and `clip` each stand for the union of their closed paths (open ones are ignored).
// Union, Intersection and Exclusion combine the two regions; Difference is subject minus clip;
// Division cuts the subject region along the clip's contours into its pieces.
std::vector<TCvLine> BooleanOp(BooleanOperation op, std::span<const TCvLine> subject,
                               std::span<const TCvLine> clip);

// The operation over a selection in list order (bottom first): Union, Intersection and
// Exclusion of all; Difference is the first minus the union of the rest; Division is the
// first cut by every other. A single path under Union is resolved by the nonzero rule, so
// the loops of a self-overlapping outline become one clean outline.
std::vector<TCvLine> CombinePaths(BooleanOperation op, std::span<const TCvLine> paths);

// The region that `subpaths` (closed or not: an open one is closed by a straight segment, as
// an SVG fill closes it) fill together under the nonzero winding rule, as clean closed paths
// filled even-odd. This is how an SVG element with fill-rule nonzero becomes outlines.
std::vector<TCvLine> UnionNonzero(std::span<const TCvLine> subpaths);

// How hard the search for crossings looks. Pruned skips the pairs of curves that provably
// cannot meet (a curve running one way in x or y, neighbours leaving their joint in opposite
// directions, pieces far apart); Exhaustive asks the intersection search about every pair
// whose boxes touch, and is what the pruned answer is held to.
enum class CrossingSearch { Pruned, Exhaustive };

// `subpaths` fill the same under the nonzero rule as under even-odd: nothing crosses, and no
// contour lies inside another that runs the same way round.
bool NonzeroFillsAsEvenOdd(std::span<const TCvLine> subpaths,
                           CrossingSearch search = CrossingSearch::Pruned);

// A selected path that crosses itself (or whose contours cross each other).
bool SelfOverlaps(const TCvLine& path);

} // namespace plumex
