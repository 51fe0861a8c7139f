#pragma once
// Draw of a path: its outline, the handles of its selected anchors and its anchor squares,
// in the colours of its state.

#include "app/ColorTable.h"
#include "canvas/ColorRole.h"
#include "canvas/Surface.h"
#include "canvas/ViewTransform.h"
#include "model/Path.h"

#include <utility>

namespace plumex {

struct LineStyle {
    bool anchors = false;
    bool handles = false;
    int anchorSize = 5; // side of the anchor and handle squares
};

void DrawLine(Surface& s, const TCvLine& line, const ViewTransform& view, const LineStyle& style,
              const ColorTable& colors);

// Only the selected anchors, in their selected style (drawn again on top of everything).
void DrawSelectedAnchors(Surface& s, const TCvLine& line, const ViewTransform& view, int anchorSize,
                         const ColorTable& colors);

// The square of side `size` whose upper-left pixel is p minus (size div 2, size div 2).
PixelRect anchorSquare(PixelPoint p, int size);

// Pen and fill roles of anchor i by its path's state and its own.
std::pair<ColorRole, ColorRole> anchorRoles(const TCvLine& line, int i);

} // namespace plumex
