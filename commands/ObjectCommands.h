#pragma once
// Commands on whole paths: deleting anchors or segments, duplicating and restacking the
// selection. Each records one undo step when it changes the drawing and answers whether it did.

#include "model/Document.h"

#include <vector>

namespace plumex {

// The open pieces left of `line` when its selected anchors are removed, each fully selected.
std::vector<TCvLine> piecesWithoutSelectedAnchors(const TCvLine& line);
// The open pieces left when every segment between two selected anchors is removed.
std::vector<TCvLine> piecesWithoutSelectedSegments(const TCvLine& line);

// `penPath` is the pen tool's current path index, kept in the undo step (-1 for none).
bool DeleteSelection(TCvDocument& doc, int penPath = -1);
bool DeleteSegments(TCvDocument& doc, int penPath = -1);
// Copies of the selection laid exactly on their sources, appended on top and selected.
bool Dupe(TCvDocument& doc, int penPath = -1);
// Moves the selection to the top (drawn last) or bottom of the stacking order.
bool LayerFront(TCvDocument& doc, int penPath = -1);
bool LayerBack(TCvDocument& doc, int penPath = -1);

} // namespace plumex
