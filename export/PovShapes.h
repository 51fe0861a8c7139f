#pragma once
// The points of the forms that POV-Ray builds from a path's anchors or its flattened curve
// rather than from its Bezier segments: the sphere sweep and the surface of revolution. The
// text, the check and the preview all read these, so they never disagree.

#include "export/PovText.h"

#include <functional>
#include <string>
#include <vector>

namespace plumex {

// The curve as straight pieces no farther than `tolerance` from it (down to about a millionth of
// a segment's size; at most 1024 pieces a segment): the first anchor, then the end of every
// piece. A closed path ends on its first anchor again.
std::vector<TCvCoord> flattenPath(const TCvLine& line, double tolerance);

// The distance the flattened curve may stray: the request's tolerance, or a thousandth of the
// path's size when that is not a positive number.
double flatteningTolerance(const TCvLine& line, const PovRequest& request);

// The centres of the sphere sweep in the drawing's plane, in writing order. The two spline
// types get their end control points: a closed path wraps around, an open one mirrors its
// end anchors, so that the curve starts and ends on them.
std::vector<TCvCoord> sweepCentres(const TCvLine& line, const PovRequest& request);

// The fewest centres POV-Ray accepts for the spline type.
int minimumCentres(SweepSpline spline);

// The profile of the surface of revolution: the anchors as the lathe's axis places them
// (radius, height), in rising order (a profile drawn downwards is read backwards), led and
// ended by a control point mirrored from its neighbour, with its radius kept at 0 or more.
struct SorProfile {
    std::vector<TCvCoord> points; // as written, end control points included
    std::vector<int> anchors;     // the 0-based anchor behind each point
};
SorProfile sorProfile(const TCvLine& line, const PovRequest& request);

// The conic prism's placement lines: the sweep toward the origin turned over and moved so
// that the outline lies at `bottom` and the apex at `top` above the apex point.
void appendConicPlacement(std::string& out, const PovRequest& request);

// Appends the sphere sweep or sor text of one path; `lineEnd` is called after every line.
void appendShapeText(std::string& out, const TCvLine& line, const PovRequest& request,
                     const std::function<void()>& lineEnd);

// The number a height or radius field holds, or false when it holds something else.
bool fieldNumber(std::string_view text, double& value);

} // namespace plumex
