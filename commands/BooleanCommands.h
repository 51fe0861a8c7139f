#pragma once
// The Path submenu's operations on the selected paths of a document.

#include "geometry/BooleanOp.h"
#include "model/Document.h"

namespace plumex {

struct BooleanOutcome {
    bool changed = false;
    int openPathsLeft = 0;    // selected open paths, left as they were
    bool emptyResult = false; // nothing would be left: the drawing stays as it was
};

// Closed selected paths in list order (bottom first) combined by `op`: one undo step; the
// result is selected, takes the bottom path's place and name. Needs two closed paths, or one
// self-overlapping path for Union. An empty result (an Intersection of shapes apart) changes
// nothing, so the operands are never lost to it.
BooleanOutcome CombineSelected(TCvDocument& doc, BooleanOperation op);

// The rule that enables the commands.
bool CanCombineSelected(const TCvDocument& doc, BooleanOperation op);

} // namespace plumex
