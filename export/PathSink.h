#pragma once
// The one output interface every writer implements (POV-Ray, Illustrator, SVG, bitmap): a path
// as a pen walk over its segments, with the straight-or-curved decision made once, here.

#include "model/Path.h"

namespace plumex {

class PathSink {
public:
    virtual ~PathSink() = default;

    // Called once per path before anything else, for writers that need its name or states.
    virtual void beginPath(const TCvLine& path) { (void)path; }
    virtual void moveTo(const TCvPoint& start) = 0;
    // A segment whose two handles are both retracted (exact comparison); `s` carries all four
    // points for writers that spell straight segments as curves.
    virtual void lineTo(const Segment& s, const TCvPoint& end) = 0;
    virtual void cubicTo(const Segment& s, const TCvPoint& end) = 0;
    // After the segment back to the first anchor of a closed path.
    virtual void closePath() {}
    virtual void endPath() {}
};

// Walks `path` into `sink`: beginPath, moveTo the first anchor, one lineTo or cubicTo per
// segment (a closed path's last one ends on the first anchor), closePath when closed, endPath.
// A path without anchors gives beginPath and endPath only.
void walkPath(const TCvLine& path, PathSink& sink);

} // namespace plumex
