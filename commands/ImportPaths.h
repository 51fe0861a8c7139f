#pragma once
// Paths brought in from outside (an SVG file) join the drawing as one undoable step.

#include "model/Document.h"

#include <vector>

namespace plumex {

// Appends `paths` on top of the drawing, fully selected and alone in the selection, as one
// undo step. Nothing happens and false is answered when `paths` is empty.
bool ImportPaths(TCvDocument& doc, const std::vector<TCvLine>& paths, int penPath = -1);

} // namespace plumex
