#pragma once
// Moving the selection by a vector: whole selected paths, or only their selected anchors.

#include "model/Document.h"

namespace plumex {

// Translates every selected path by v; SelectionBounds and Pivot move with it. True when
// something was selected (the move itself may still be zero).
bool MoveObjects(TCvDocument& doc, TCvCoord v);

// Translates the selected anchors (with their handles) of the selected paths and recomputes
// SelectionBounds; the Pivot goes to the centre of the bounds.
bool MoveAnchors(TCvDocument& doc, TCvCoord v);

} // namespace plumex
