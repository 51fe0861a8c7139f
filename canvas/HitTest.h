#pragma once
// Finding what lies under the mouse: the nearest anchor (or handle) and the path whose curve
// passes by. Positions and tolerances are in drawing units.

#include "canvas/PathIndex.h"
#include "model/Path.h"

#include <vector>

namespace plumex {

// An anchor found under the mouse: the path and anchor indices and the position hit, which is
// the anchor itself or, with handles searched, one of its handles.
struct AnchorHit {
    int path = -1;
    int point = -1;
    TCvCoord at;
    bool handle = false;
    explicit operator bool() const { return path >= 0; }
    friend bool operator==(const AnchorHit&, const AnchorHit&) = default;
};

struct AnchorSearch {
    double tolerance = 0;
    bool includeSelected = true; // false while the selection moves, so it never finds itself
    bool handlesOfSelected = false;
    int penPath = -1;      // its floating last anchor does not count
    bool endsOnly = false; // only the first and last anchors of open paths
};

// Over the visible, unlocked paths from the topmost down; a lower path wins only when strictly
// nearer.
AnchorHit hitAnchor(const std::vector<TCvLine>& lines, TCvCoord p, const AnchorSearch& how);
// The same looking only at the paths that `index` (in sync with `lines`) puts near p.
AnchorHit hitAnchor(const std::vector<TCvLine>& lines, const PathIndex& index, TCvCoord p,
                    const AnchorSearch& how);

// A path whose curve passes within `tol` of p: the first in the list wins.
struct PathHit {
    int path = -1;
    int first = -1; // the anchors the segment runs between
    int second = -1;
    double t = 0;
    explicit operator bool() const { return path >= 0; }
};
PathHit hitPath(const std::vector<TCvLine>& lines, TCvCoord p, double tol);
PathHit hitPath(const std::vector<TCvLine>& lines, const PathIndex& index, TCvCoord p, double tol);

} // namespace plumex
