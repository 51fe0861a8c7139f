#pragma once
// Aligning the selected paths (by their bounds) or the selected anchors (by their positions).

#include "model/Document.h"

namespace plumex {

// Horizontal choices: none, left, centre, right, regular interval; vertical choices: none, top,
// middle, bottom, regular interval.
enum class Align { None, Near, Centre, Far, Regular };

// Each records one undo step holding the drawing as it was, only when something moved. The
// horizontal choice is applied first.
bool AlignObjects(TCvDocument& doc, Align horizontal, Align vertical, int penPath = -1);
bool AlignAnchors(TCvDocument& doc, Align horizontal, Align vertical, int penPath = -1);

// At least two selected paths, or two selected anchors within selected paths.
bool canAlignObjects(const TCvDocument& doc);
bool canAlignAnchors(const TCvDocument& doc);

} // namespace plumex
