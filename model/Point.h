#pragma once
// One anchor of a path with its two absolute handles; a handle equal to its anchor is retracted.

#include "model/Coord.h"
#include "model/Segment.h"

#include <cstdint>

struct TCvPoint {
    TCvCoord anchor;
    TCvCoord inHandle;
    TCvCoord outHandle;
    std::uint8_t selected = 0;
    // 1 when the handles are not mirror images of each other about the anchor.
    std::uint8_t independent = 0;

    TCvPoint() = default;
    TCvPoint(TCvCoord a, TCvCoord in, TCvCoord out)
        : anchor(a), inHandle(in), outHandle(out), selected(0),
          independent(plumex::isSymmetric(in, a, out) ? 0 : 1) {}

    // Recomputes `independent` from the handles.
    void updateIndependent() {
        independent = plumex::isSymmetric(inHandle, anchor, outHandle) ? 0 : 1;
    }

    friend bool operator==(const TCvPoint&, const TCvPoint&) = default;
};

// Handle offsets (handle minus anchor) kept by Copy Handle for Paste Handle.
struct TCvHandles {
    TCvCoord inOffset;
    TCvCoord outOffset;

    friend bool operator==(const TCvHandles&, const TCvHandles&) = default;
};
