#pragma once
// Routines on one cubic Bezier segment: start anchor A, its out-handle H1, the end's in-handle
// H2, end anchor B. Parameters t run from 0 at A to 1 at B. All routines are total: NaN or
// infinite input gives NaN-carrying or degenerate results but never traps or loops.

#include "model/Coord.h"
#include "model/Rect.h"

namespace plumex {

struct Segment {
    TCvCoord a, h1, h2, b;

    // Straight when both handles are retracted (exact comparison).
    bool straight() const { return equal(h1, a) && equal(h2, b); }
};

// Result of de Casteljau subdivision: the first anchor's new out-handle, the new anchor with
// its two handles, and the second anchor's new in-handle.
struct SplitResult {
    TCvCoord firstOut;
    TCvCoord inHandle;
    TCvCoord anchor;
    TCvCoord outHandle;
    TCvCoord secondIn;
};

TCvCoord evaluate(const Segment& s, double t);
SplitResult split(const Segment& s, double t);

// Encloses the curve (not the control polygon) to the accuracy of a 0.001 parameter step.
TCvRect segmentBounds(const Segment& s);

// The parameter of a point of the segment within `tol` of `p`, or -1 when there is none.
double nearestParameter(const Segment& s, TCvCoord p, double step, double tol);

// p0, p1, p2 follow each other on one line in this order (p2 at its own distance from p1).
bool isCollinearRun(TCvCoord p0, TCvCoord p1, TCvCoord p2, double tol);

// Both handles out and in line with the anchor.
bool isSmooth(TCvCoord inHandle, TCvCoord anchor, TCvCoord outHandle);
// The out-handle mirrors the in-handle about the anchor.
bool isSymmetric(TCvCoord inHandle, TCvCoord anchor, TCvCoord outHandle);

} // namespace plumex
