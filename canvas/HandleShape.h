#pragma once
// What dragging a control handle does to its anchor, without any window: the Shift
// constraint, the mirroring of the other handle and the endings of a double click.
// Angles are radians of atan2(dy, dx) in drawing units (y up), counter-clockwise.

#include "model/Point.h"

#include <optional>

namespace plumex {

enum class HandleSide { In = 0, Out = 1 };

// The direction of `handle` seen from `anchor`; none when the handle is retracted.
std::optional<double> handleDirection(TCvCoord anchor, TCvCoord handle);

// The Shift constraint: onto the line of `direction` through the anchor (only the length
// changes), or without a direction onto the nearer of the horizontal and the vertical.
TCvCoord constrainHandle(TCvCoord anchor, TCvCoord h, std::optional<double> direction);

// `p` locked to the horizontal or vertical through `from`, whichever is nearer.
TCvCoord lockToAxis(TCvCoord from, TCvCoord p);

TCvCoord& handleOf(TCvPoint& p, HandleSide side);
TCvCoord& otherHandleOf(TCvPoint& p, HandleSide side);

// The grabbed handle goes to `h`; unless the anchor is independent the other one mirrors it.
void dragHandle(TCvPoint& p, HandleSide side, TCvCoord h);

// Double-click endings of a handle drag.
// Ctrl: the grabbed handle retracts and the anchor becomes a corner on that side.
void retractHandle(TCvPoint& p, HandleSide side);
// Shift: the handles level out horizontally when `direction` lies within 45 degrees of the
// horizontal, else vertically; an independent anchor only levels the grabbed handle.
void levelHandles(TCvPoint& p, HandleSide side, double direction);
// Plain: the other handle mirrors the grabbed one again and the anchor is smooth.
void remirrorHandles(TCvPoint& p, HandleSide side);

// Ctrl on an anchor: both handles retract so that a drag pulls out a mirrored pair.
void retractBothHandles(TCvPoint& p);

} // namespace plumex
