#pragma once
// The pen tool's edits of the drawing, without any window: starting, continuing, closing and
// joining paths, the floating anchor that previews the next segment, and the release.
// The pen path is an index into `lines`; -1 when none is being drawn.

#include "canvas/HandleShape.h"
#include "canvas/HitTest.h"
#include "model/Path.h"

#include <optional>
#include <vector>

namespace plumex {

enum class PathEnd { None, First, Last };

// Which end of an open path anchor `index` is; the first counts only with more anchors.
PathEnd openEnd(const TCvLine& line, int index);

// A new anchor at `p` with both handles retracted.
TCvPoint placedAnchor(TCvCoord p);

struct PenPressInput {
    AnchorHit hovered; // from the hover hit test, which skips the floating anchor
    TCvCoord point;    // the snapped press point
    double tolerance;  // 4 pixels in drawing units
    bool shift = false;
    bool ctrl = false;
};

struct PenPressResult {
    int penPath = -1;
    int grabbed = -1;                // anchor of the pen path whose handles the drag shapes
    bool closeOrJoin = false;        // shape the in-handle side (the closing or joining drag)
    std::optional<TCvCoord> pointer; // where the pointer is to go (a Shift-locked anchor)
};

// A left press of the pen: starts, continues, closes or joins; the pen path ends up the only
// selected path.
PenPressResult penPress(std::vector<TCvLine>& lines, int penPath, const PenPressInput& in);

// The floating anchor's preview: on the hovered anchor (taking its handles the way a join
// would), else at `p` with retracted handles. Ctrl retracts the in-handle.
TCvPoint floatingAnchor(const std::vector<TCvLine>& lines, const AnchorHit& hovered, TCvCoord p,
                        bool ctrl);

// A double click closes the pen path (a single anchor stays open: it makes no shape).
void closeOnDoubleClick(std::vector<TCvLine>& lines, int penPath);

// The end of a pen press: a closed path or a close or join ends the pen path with all its
// anchors selected (returns -1); otherwise the floating anchor is appended at `p`.
int finishPenPress(std::vector<TCvLine>& lines, int penPath, bool closeOrJoin, TCvCoord p);

// Drops the floating anchor of an open pen path.
void removeFloatingAnchor(std::vector<TCvLine>& lines, int penPath);

} // namespace plumex
